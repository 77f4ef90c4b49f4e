// The ternary letter decoder on arbitrary text: every replacement turns three characters into
// one, and nothing outside the digits 0, 1 and 2 is ever touched.
#include "logic/solvers/FermilabCode.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

QString withoutCode(const QString &text)
{
    QString rest;
    for (QChar c : text) {
        if (c != u'0' && c != u'1' && c != u'2' && c != u' ' && !(c >= u'A' && c <= u'Z'))
            rest += c;
    }
    return rest;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString plain = FermilabDecode(text);
    if (plain.size() > text.size() || (text.size() - plain.size()) % 2 != 0)
        std::abort();
    if (withoutCode(plain) != withoutCode(text))
        std::abort();
    return 0;
}
