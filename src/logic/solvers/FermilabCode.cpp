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

namespace {

bool isTernaryDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'2';
}

// Every pattern in order over the whole of `run`.
void replaceInOrder(QString &run)
{
    for (std::size_t i = 0; i < FermilabPatterns.size(); ++i) {
        const QStringView pattern = FermilabPatterns[i];
        const QStringView letter = FermilabLetters[i];
        run.replace(pattern.data(), pattern.size(), letter.data(), letter.size(),
                    Qt::CaseSensitive);
    }
}

} // namespace

// The patterns hold only the digits 0-2 and no replacement holds any, so no match reaches across
// another character: every longest run of those digits decodes on its own, a run of three is one
// pattern, and only longer runs need the replacements in order. One pass instead of 27 over a
// long text.
QString FermilabDecode(const QString &text)
{
    if (text.isEmpty())
        return text;
    QString result;
    result.reserve(text.size());
    const QStringView view(text);
    qsizetype i = 0;
    while (i < view.size()) {
        qsizetype end = i;
        while (end < view.size() && !isTernaryDigit(view[end]))
            ++end;
        result.append(view.sliced(i, end - i));
        for (i = end; end < view.size() && isTernaryDigit(view[end]);)
            ++end;
        if (end - i == 3) {
            const int cell = 9 * (view[i].unicode() - u'0') + 3 * (view[i + 1].unicode() - u'0') +
                (view[i + 2].unicode() - u'0');
            result.append(FermilabLetters[std::size_t(cell)]);
        } else if (end - i > 3) {
            QString run = view.sliced(i, end - i).toString();
            replaceInOrder(run);
            result.append(run);
        } else {
            result.append(view.sliced(i, end - i));
        }
        i = end;
    }
    return result;
}
