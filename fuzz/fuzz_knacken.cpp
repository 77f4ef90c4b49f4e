// The code breaker on arbitrary text: the first byte picks the language, whether the key
// searches and the chains of two steps run too (they take longer, so only on short inputs); the
// rest is the cipher text, with an optional key after a NUL byte (with bit 16 of the first byte:
// an ADFGX transposition word) and an optional crib after a second one. The ranked list must be
// ordered (the readings with the crib first), free of repeated readings and hold only known
// method names (a chain: two of them) and finite scores; the identification must give
// likelihoods from 0 to 1 that add up to at most 1, in known families.
#include "logic/common/QuarvelError.h"
#include "logic/language/Chains.h"
#include "logic/language/CipherIdentification.h"
#include "logic/language/CodeBreaker.h"
#include "logic/language/GeocachingText.h"
#include "logic/language/Verdict.h"

#include <QSet>
#include <QString>

#include <algorithm>
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
    if (nul >= 0) {
        const QByteArray after = rest.mid(nul + 1);
        const qsizetype second = after.indexOf('\0');
        const QString word = QString::fromUtf8(second < 0 ? after : after.left(second));
        if (mode & 16)
            request.transposition = word; // ADFGX: the square is searched
        else
            request.key = word;
        if (second >= 0)
            request.crib = QString::fromUtf8(after.mid(second + 1));
    }
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
        if ((mode & 8) && request.text.size() <= 60) {
            std::vector<Candidate> chained = chainCandidates(request);
            all.insert(all.end(), chained.begin(), chained.end());
        }
        markCrib(all, request.crib);
        ranked = rankCandidates(std::move(all));
    } catch (const QuarvelError &) {
        return 0; // a text over the length limit
    }
    const QStringList methods = breakerMethods();
    const auto known = [&](const QString &method) {
        const QStringList steps = method.split(QStringLiteral(" → "));
        return steps.size() <= 2 && std::all_of(steps.begin(), steps.end(), [&](const QString &s) {
                   return methods.contains(s);
               });
    };
    QSet<QString> seen;
    for (size_t i = 0; i < ranked.size(); ++i) {
        const Candidate &c = ranked[i];
        if (!std::isfinite(c.score) || !known(c.method))
            std::abort();
        if (i > 0 &&
            (c.holdsCrib > ranked[i - 1].holdsCrib ||
             (c.holdsCrib == ranked[i - 1].holdsCrib && c.score > ranked[i - 1].score)))
            std::abort();
        const QString folded = c.plain.toCaseFolded();
        if (seen.contains(folded))
            std::abort();
        seen.insert(folded);
    }
    firstReads(ranked);
    static const QStringList families = {
        QStringLiteral("transposition"),    QStringLiteral("monoalphabetisch"),
        QStringLiteral("polyalphabetisch"), QStringLiteral("digraphisch"),
        QStringLiteral("fraktionierend"),   QStringLiteral("kodierung")};
    double sum = 0;
    const std::vector<CipherGuess> guesses = identifyCipher(request.text, ranked);
    for (const CipherGuess &guess : guesses) {
        if (!(guess.likelihood >= 0 && guess.likelihood <= 1) || !families.contains(guess.family))
            std::abort();
        sum += guess.likelihood;
    }
    // Each likelihood is rounded to a thousandth, so together they may pass 1 by half a
    // thousandth each.
    if (sum > 1 + 0.0005 * double(guesses.size()) + 1e-9)
        std::abort();
    return 0;
}
