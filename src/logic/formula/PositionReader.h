#pragma once

#include <string_view>

namespace Formula {

// A position read from a coordinate text by the same rules as the coordinates tool (tokens cut
// at blanks, "." read as ",", "°", "'" and '"' dropped; four tokens: decimal degrees, six:
// degrees and decimal minutes, eight: degrees, minutes and seconds), but straight to numbers,
// with no text kept. The variable coordinates read millions of candidates this way.
struct ReadPosition
{
    bool recognised = false; // 4, 6 or 8 tokens whose number positions hold numbers
    bool valid = false; // hemisphere letters N/S and E/W/O, no negative part, whole degrees
                        // (and minutes) where smaller units follow, minutes and seconds below
                        // 60, latitude within 90°, longitude within 180°
    bool hasPosition = false; // the letters are hemisphere letters and the latitude is within
                              // 90°, so a distance can be computed
    double latitude = 0; // degrees, south negative
    double longitude = 0; // degrees, west negative
};

// `text` is UTF-8.
ReadPosition readPosition(std::string_view text);

// A decimal number in the program's syntax (optional sign, digits with at most one ",",
// optional exponent), as a double; false for anything else.
bool readDecimalComma(std::string_view token, double &value);

} // namespace Formula
