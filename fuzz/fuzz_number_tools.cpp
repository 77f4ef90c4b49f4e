// The number and text tools on arbitrary text: base conversions, digit sums, Roman numerals,
// letter values and counts. Only the integer conversion error may leave them.
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"
#include "logic/tools/Buchstabenverteilung.h"
#include "logic/tools/CryptoTools_WortWert.h"
#include "logic/tools/QuersummenKette.h"
#include "logic/tools/hfunctions.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void chain(const QString &text, QuersummenKette::Zahlensystem system)
{
    try {
        const auto result = QuersummenKette::compute(text, system);
        if (result.sums.isEmpty() || result.sums.constLast().size() != 1)
            std::abort();
    } catch (const QuarvelError &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    using QuersummenKette::Zahlensystem;
    for (const auto system : {Zahlensystem::Dezimal, Zahlensystem::Hexadezimal,
                              Zahlensystem::Binaer, Zahlensystem::Oktal})
        chain(text, system);
    if (hfunctions::Roem2Dez(text) < 0)
        std::abort();
    hfunctions::CountWords(text);
    hfunctions::CountNonBlank(text);
    CryptoTools::BuchstabenWortWert(text, size % 2 == 0, size % 3 == 0);
    Buchstabenverteilung::count(text);
    // Large numbers only make long runs of "M"; the fuzzer need not wait for them.
    if (const auto n = Numbers::tryStrToInt(text); n && *n < 100000) {
        if (*n > 0 && hfunctions::Roem2Dez(hfunctions::Dez2Roem(*n)) != *n)
            std::abort();
    }
    return 0;
}
