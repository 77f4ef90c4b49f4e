#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace Buchstabenverteilung {

// How often each letter A..Z occurs in a text, upper and lower case together. Only the ASCII
// letters count: umlauts, ß, accented letters, digits, signs and line breaks are ignored.
using Counts = std::array<int32_t, 26>;

Counts count(const QString &text);

} // namespace Buchstabenverteilung
