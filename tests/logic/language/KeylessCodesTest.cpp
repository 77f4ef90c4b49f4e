// The codes of mystery caches in the code breaker's keyless list: each variant is tried, and a
// keyboard shift is only tried on a text that is mostly letters.
#include "logic/ciphers/CipherRegistry.h"
#include "logic/language/CodeBreaker.h"

#include <gtest/gtest.h>

namespace {

bool hasCandidate(const std::vector<Candidate> &candidates, const QString &method,
                  const Ciphers::ParamValues &params, const QString &plain)
{
    return std::any_of(candidates.begin(), candidates.end(), [&](const Candidate &c) {
        if (c.method != method || c.plain != plain)
            return false;
        for (auto it = params.cbegin(); it != params.cend(); ++it) {
            if (c.params.value(it.key()) != it.value())
                return false;
        }
        return true;
    });
}

} // namespace

TEST(KeylessCodes, EveryVariantIsTried)
{
    const struct
    {
        const char *method;
        Ciphers::ParamValues params;
        const char *plain;
    } cases[] = {
        {"base58", {}, "Hallo Welt"},
        {"ascii85", {}, "Hallo Welt"},
        {"z85", {}, "Hallo Welt!!"},
        {"base91", {}, "Hallo Welt"},
        {"ita2", {}, "HALLO WELT"},
        {"braillepunkte", {}, "HALLO WELT"},
        {"bcd", {{"variante", "libaw-craig"}}, "4711"},
        {"bcd", {{"variante", "stibitz"}}, "4711"},
        {"gray", {}, "47 11"},
        {"elemente", {}, "9 92 53"},
        {"beghilos", {}, "hOLE"},
        {"segment", {}, "HALLO"},
        {"buchstabieralphabet", {{"alphabet", "din5009alt"}}, "HALLO WELT"},
        {"zahlwoerter", {{"sprache", "nl"}}, "4 7 11"},
        {"tastatur", {{"von", "qwertz"}, {"nach", "dvorak"}}, "hallo welt"},
        {"tastatur", {{"von", "dvorak"}, {"nach", "azerty"}}, "hallo welt"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.method) + " " + c.plain);
        const Ciphers::Cipher &cipher = *Ciphers::findCipher(QString::fromLatin1(c.method));
        BreakerRequest request;
        request.text = cipher.encode(QString::fromUtf8(c.plain), c.params);
        EXPECT_TRUE(hasCandidate(quickCandidates(request), cipher.cliName, c.params,
                                 QString::fromUtf8(c.plain)));
    }
}

TEST(KeylessCodes, KeyboardsOnlyForTextsOfLetters)
{
    const struct
    {
        const char *text;
        bool keyboards;
    } cases[] = {
        {".... .- .-.. .-.. ---", false}, // Morse: the shift would turn it into letters
        {"12 34, 56", false},
        {"ab 1.", true}, // as many letters as other characters
        {"ab 1.,", false},
        {"Y[rich", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        BreakerRequest request;
        request.text = QString::fromUtf8(c.text);
        const std::vector<Candidate> candidates = quickCandidates(request);
        const bool tried =
            std::any_of(candidates.begin(), candidates.end(),
                        [](const Candidate &candidate) { return candidate.method == u"tastatur"; });
        EXPECT_EQ(tried, c.keyboards);
    }
}
