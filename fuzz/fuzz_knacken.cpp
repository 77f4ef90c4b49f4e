// The code breaker on arbitrary text: the first byte picks the language and whether the key
// searches run too (they take longer, so only on short inputs); the rest is the cipher text,
// with an optional key after a NUL byte (with bit 8 of the first byte: an ADFGX transposition
// word). The ranked list must be ordered, free of repeated readings and hold only known method
// names and finite scores.
#include "logic/common/QuarvelError.h"
#include "logic/language/CodeBreaker.h"

#include <QSet>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t mode = data[0];
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const qsizetype nul = rest.indexOf('\0');
    BreakerRequest request;
    request.text = QString::fromUtf8(nul < 0 ? rest : rest.left(nul));
    if (nul >= 0 && (mode & 8))
        request.transposition = QString::fromUtf8(rest.mid(nul + 1)); // ADFGX: square searched
    else if (nul >= 0)
        request.key = QString::fromUtf8(rest.mid(nul + 1));
    if (mode & 1)
        request.language = (mode & 2) ? Language::English : Language::German;
    const bool search = (mode & 4) && request.text.size() <= 120;
    std::vector<Candidate> ranked;
    try {
        std::vector<Candidate> all = quickCandidates(request);
        if (search) {
            std::vector<Candidate> found = searchCandidates(request);
            all.insert(all.end(), found.begin(), found.end());
        }
        ranked = rankCandidates(std::move(all));
    } catch (const QuarvelError &) {
        return 0; // a text over the length limit
    }
    const QStringList methods = breakerMethods();
    QSet<QString> seen;
    for (size_t i = 0; i < ranked.size(); ++i) {
        const Candidate &c = ranked[i];
        if (!std::isfinite(c.score) || !methods.contains(c.method))
            std::abort();
        if (i > 0 && c.score > ranked[i - 1].score)
            std::abort();
        const QString folded = c.plain.toCaseFolded();
        if (seen.contains(folded))
            std::abort();
        seen.insert(folded);
    }
    return 0;
}
