#include "logic/tools/Buchstabenverteilung.h"

namespace Buchstabenverteilung {

Counts count(const QString &text)
{
    Counts counts {};
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            ++counts[size_t(u - u'a')];
        else if (u >= u'A' && u <= u'Z')
            ++counts[size_t(u - u'A')];
    }
    return counts;
}

} // namespace Buchstabenverteilung
