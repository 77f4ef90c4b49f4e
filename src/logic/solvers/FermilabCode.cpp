#include "logic/solvers/FermilabCode.h"

#include <QStringView>

#include <array>

namespace {

// Pattern i is i in base 3 with three digits; replacement 0 is a blank, replacement i the
// i-th capital letter. The order matters: "000" goes first.
constexpr std::array<QStringView, 27> FermilabPatterns = {
    u"000", u"001", u"002", u"010", u"011", u"012", u"020", u"021", u"022",
    u"100", u"101", u"102", u"110", u"111", u"112", u"120", u"121", u"122",
    u"200", u"201", u"202", u"210", u"211", u"212", u"220", u"221", u"222",
};

constexpr std::array<QStringView, 27> FermilabLetters = {
    u" ", u"A", u"B", u"C", u"D", u"E", u"F", u"G", u"H", u"I", u"J", u"K", u"L", u"M",
    u"N", u"O", u"P", u"Q", u"R", u"S", u"T", u"U", u"V", u"W", u"X", u"Y", u"Z",
};

} // namespace

QString FermilabDecode(const QString &text)
{
    QString result = text;
    for (std::size_t i = 0; i < FermilabPatterns.size(); ++i) {
        const QStringView pattern = FermilabPatterns[i];
        const QStringView letter = FermilabLetters[i];
        result.replace(pattern.data(), pattern.size(), letter.data(), letter.size(),
                       Qt::CaseSensitive);
    }
    return result;
}
