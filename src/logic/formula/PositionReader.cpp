#include "logic/formula/PositionReader.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace Formula {

namespace {

constexpr int kMaxTokens = 9; // one more than any notation has: nine means "not recognised"

// The tokens as views into one cleaned copy of the text, so cutting allocates nothing once the
// buffer has grown to the longest text seen.
struct Tokens
{
    std::string buffer;
    std::array<std::string_view, kMaxTokens> token;
    int count = 0;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// What cutting does with a character.
enum CharClass : unsigned char { Kept, Blank, Point, DegreeLead, Dropped };

constexpr std::array<CharClass, 256> charClasses()
{
    std::array<CharClass, 256> classes {};
    classes[static_cast<unsigned char>(' ')] = Blank;
    classes[static_cast<unsigned char>('.')] = Point;
    classes[0xC2] = DegreeLead; // kept unless the rest of "°" follows
    classes[static_cast<unsigned char>('\'')] = Dropped;
    classes[static_cast<unsigned char>('"')] = Dropped;
    return classes;
}
constexpr std::array<CharClass, 256> kCharClasses = charClasses();

// Cuts the trimmed text as the coordinates tool does; stops counting past eight tokens.
void cut(std::string_view text, Tokens &tokens)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    tokens.buffer.resize(text.size());
    char *out = tokens.buffer.data();
    const char *tokenStart = out;
    // Counted in a local: a character written through `out` might alias a member, which would
    // make the compiler reload the count from memory after every character.
    int count = 0;
    const auto store = [&] {
        tokens.token[size_t(count++)] = {tokenStart, size_t(out - tokenStart)};
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // Digits and letters, nearly every character, take one look-up and one branch.
        const CharClass kind = kCharClasses[static_cast<unsigned char>(c)];
        if (kind == Kept) {
            *out++ = c;
        } else if (kind == Blank) {
            if (out != tokenStart) {
                store();
                if (count == kMaxTokens) {
                    tokens.count = count;
                    return;
                }
                tokenStart = out;
            }
        } else if (kind == Point) {
            *out++ = ',';
        } else if (kind == DegreeLead && i + 1 < text.size() && text[i + 1] == '\xB0') {
            ++i; // the degree sign
        } else if (kind != Dropped) {
            *out++ = c;
        }
    }
    store();
    tokens.count = count;
}

int latitudeSign(std::string_view letter)
{
    if (letter == "N" || letter == "n")
        return 1;
    if (letter == "S" || letter == "s")
        return -1;
    return 0;
}

int longitudeSign(std::string_view letter)
{
    if (letter == "E" || letter == "e" || letter == "O" || letter == "o")
        return 1;
    if (letter == "W" || letter == "w")
        return -1;
    return 0;
}

struct Component
{
    bool recognised = false;
    bool valid = false;
    double degrees = 0;
};

// One half of the position from its one, two or three number tokens.
Component component(const std::string_view *numbers, int count, double limit)
{
    std::array<double, 3> part {0, 0, 0};
    for (int i = 0; i < count; ++i) {
        if (!readDecimalComma(numbers[i], part[size_t(i)]))
            return {};
    }
    Component result;
    result.recognised = true;
    // The parts that are not there are zeros: adding +0 keeps what the full sum gives (it
    // turns -0 into +0) without the divisions.
    result.degrees = part[0];
    result.degrees += count > 1 ? part[1] / 60 : 0.0;
    result.degrees += count > 2 ? part[2] / 3600 : 0.0;
    bool valid = part[0] >= 0 && part[1] >= 0 && part[2] >= 0 && part[1] < 60 && part[2] < 60;
    // A unit followed by a smaller one is whole: "52,5° 30'" is no notation anyone writes.
    for (int i = 0; i + 1 < count; ++i)
        valid = valid && part[size_t(i)] == std::trunc(part[size_t(i)]);
    result.valid = valid && result.degrees <= limit;
    return result;
}

// Any number of digits and an exponent: through the standard conversion.
bool readDecimalCommaSlowly(std::string_view token, double &value)
{
    std::string number;
    size_t i = 0;
    if (i < token.size() && (token[i] == '+' || token[i] == '-'))
        number += token[i++];
    int digits = 0;
    bool comma = false;
    for (; i < token.size(); ++i) {
        if (isDigit(token[i])) {
            number += token[i];
            ++digits;
        } else if (token[i] == ',' && !comma) {
            number += '.';
            comma = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
        number += 'e';
        ++i;
        if (i < token.size() && (token[i] == '+' || token[i] == '-'))
            number += token[i++];
        const size_t start = i;
        while (i < token.size() && isDigit(token[i]))
            number += token[i++];
        if (i == start)
            return false;
    }
    if (i != token.size())
        return false;
    const char *begin = number.data() + (number.front() == '+' ? 1 : 0);
    const auto result = std::from_chars(begin, number.data() + number.size(), value);
    return result.ec == std::errc() && std::isfinite(value);
}

} // namespace

bool readDecimalComma(std::string_view token, double &value)
{
    // The common case, up to 15 digits and no exponent, is exact this way: both the digits
    // and the power of ten are exact doubles, so the one division rounds correctly.
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = 0;
    const bool negative = !token.empty() && token[0] == '-';
    if (!token.empty() && (token[0] == '+' || token[0] == '-'))
        ++i;
    uint64_t digits = 0;
    int count = 0;
    int decimals = 0;
    bool comma = false;
    for (; i < token.size(); ++i) {
        const char c = token[i];
        if (isDigit(c)) {
            digits = digits * 10 + uint64_t(c - '0');
            ++count;
            decimals += comma ? 1 : 0;
            if (count > 15)
                return readDecimalCommaSlowly(token, value);
        } else if (c == ',' && !comma) {
            comma = true;
        } else if (c == 'e' || c == 'E') {
            return readDecimalCommaSlowly(token, value);
        } else {
            return false;
        }
    }
    if (count == 0)
        return false;
    // A division by 1 changes nothing, and whole numbers (degrees) are common.
    value = decimals == 0 ? double(digits) : double(digits) / kPowers[decimals];
    if (negative)
        value = -value;
    return true;
}

ReadPosition readPosition(std::string_view text)
{
    thread_local Tokens tokens;
    tokens.count = 0;
    if (text.empty())
        return {};
    cut(text, tokens);
    if (tokens.count != 4 && tokens.count != 6 && tokens.count != 8)
        return {};
    const int perHalf = tokens.count / 2 - 1;
    const std::string_view *t = tokens.token.data();
    const Component lat = component(t + 1, perHalf, 90);
    const Component lon = component(t + 2 + perHalf, perHalf, 180);
    ReadPosition position;
    position.recognised = lat.recognised && lon.recognised;
    if (!position.recognised)
        return position;
    const int north = latitudeSign(t[0]);
    const int east = longitudeSign(t[1 + perHalf]);
    position.latitude = north * lat.degrees;
    position.longitude = east * lon.degrees;
    position.valid = lat.valid && lon.valid && north != 0 && east != 0;
    position.hasPosition = north != 0 && east != 0 && std::fabs(position.latitude) <= 90;
    return position;
}

} // namespace Formula
