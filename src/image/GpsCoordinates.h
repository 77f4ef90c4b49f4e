#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// Positions as pictures store them. EXIF keeps degrees, minutes and seconds as three fractions,
// written in any of three ways: whole degrees, minutes and seconds (51/1 30/1 2646/100), whole
// degrees and decimal minutes (51/1 3044/100 0/1), or decimal degrees alone (515073/10000 0/1
// 0/1); the hemisphere stands in a separate letter. XMP writes "51,30,26.46N" or "51,30.441N".
namespace ImageAnalysis {

struct Rational
{
    std::uint32_t zaehler = 0;
    std::uint32_t nenner = 1;
};

// Degrees from three fractions and the hemisphere letter ("N", "S", "E", "W"); empty when a
// denominator is zero, the letter is none of these or the result exceeds `maximum` degrees.
std::optional<double> degreesFromRationals(const std::array<Rational, 3> &parts,
                                           const QString &hemisphere, double maximum);

// Degrees from an XMP GPS coordinate ("DDD,MM,SSk", "DDD,MM.mmk" or "DDD.dddk", k the
// hemisphere letter); empty when the text has none of these forms or exceeds `maximum`.
std::optional<double> degreesFromXmp(const QString &text, double maximum);

// An XMP altitude: a fraction "1234/10" or a decimal number.
std::optional<double> altitudeFromXmp(const QString &text);

} // namespace ImageAnalysis
