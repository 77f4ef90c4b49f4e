#pragma once

#include <QString>

#include <array>
#include <string>
#include <vector>

namespace Formula {

struct ReadPosition;

// How a position is written before it is hashed: literal text with placeholders in braces.
//   {h}      the hemisphere letter: N or S in the latitude, E or W in the longitude
//   {g…}     whole degrees, at least as many digits as letters ({ggg}: 007, {g}: 7)
//   {d…}     decimal places of the degrees, as many as letters
//   {m…}     the first one of a half: whole minutes (width as for degrees); the second one:
//            decimal places of the minutes
//   {s…}     the same for seconds
//   {{ }}    a brace itself
// The latitude's placeholders come first; a placeholder whose place in the latitude is taken
// already (a second {g}, a third {m}, ...) begins the longitude. Each half needs its degrees;
// the smallest unit of a half is rounded, with the carry into the larger ones.
//   "{h}{gg} {mm}.{mmm} {h}{ggg} {mm}.{mmm}"  →  "N51 23.456 E007 12.345"
class CoordinateForm
{
public:
    static constexpr int kMaxLength = 200; // characters of a form
    static constexpr int kMaxWholeDigits = 3; // {ggg}; minutes and seconds take at most 2
    static constexpr int kMaxDecimals = 6; // {dddddd}, {mmmmmm}, {ssssss}

    // Throws QuarvelError naming what is wrong and where.
    static CoordinateForm parse(const QString &text);
    // A ready form's name ("kompakt") or a form text with placeholders.
    static CoordinateForm fromNameOrText(const QString &text);

    // Appends the position written in this form (UTF-8); false for a position that is not
    // valid, which no form can write.
    bool write(const ReadPosition &position, std::string &out) const;
    // The same into `out`, which holds at least maxLength() bytes; returns the length written,
    // 0 for a position that is not valid.
    size_t write(const ReadPosition &position, char *out) const;
    size_t maxLength() const { return m_maxLength; }
    QString writeText(const ReadPosition &position) const;

    const QString &text() const { return m_text; }

private:
    enum Kind {
        Literal,
        Hemisphere,
        Degrees,
        DegreeDecimals,
        Minutes,
        MinuteDecimals,
        Seconds,
        SecondDecimals,
        KindCount
    };
    struct Piece
    {
        Kind kind = Literal;
        int half = 0; // 0: latitude, 1: longitude
        int digits = 0; // width of a whole number, count of decimal places
        std::string literal;
    };
    // A divisor below 2^32 with its reciprocal: a 32-bit number is divided by one multiplication
    // (exact for every 32-bit dividend, as the reciprocal is rounded up to 64 bits).
    struct Divisor
    {
        uint32_t divisor = 1;
        uint64_t reciprocal = 0; // ceil(2^64 / divisor); unused for 1
        explicit Divisor(int64_t d = 1);
        uint32_t divide(uint32_t n) const
        {
            return divisor == 1 ? n : uint32_t((unsigned __int128)reciprocal * n >> 64);
        }
    };
    // How finely a half is rounded: its smallest unit counted per degree, minute and second;
    // the decimal places are the count modulo decimalModulus.
    struct Scale
    {
        int64_t perDegree = 1;
        int64_t perMinute = 1;
        int64_t perSecond = 1;
        int64_t decimalModulus = 1;
        Divisor degree, minute, second, decimal;
    };
    // A half's numbers by kind: degrees, minutes, seconds, the decimal places under each
    // decimals kind, and 1 under Hemisphere for south or west.
    using Numbers = std::array<int64_t, KindCount>;
    // Where a number goes in the template of a form whose texts all have the same length.
    struct Slot
    {
        size_t offset = 0;
        Kind kind = Literal;
        int half = 0;
        int digits = 0;
    };

    void addPlaceholder(const QString &name, qsizetype at);
    void assignHemispheres();
    void checkHalves();
    Numbers split(double value, int half) const;
    void buildTemplate();

    QString m_text;
    std::vector<Piece> m_pieces;
    bool m_used[2][KindCount] = {};
    size_t m_maxLength = 0; // bytes the longest written text can have
    // Set when every number fills its placeholder's width: the text is then the template with
    // the digits put in at the slots, which the search writes millions of times.
    std::string m_template;
    std::vector<Slot> m_slots;
    Scale m_scale[2];
};

struct ReadyForm
{
    QString name; // "kompakt"
    QString form;
    QString example; // the form applied to N 51° 23.456 E 7° 12.345
};
const std::vector<ReadyForm> &readyForms();

} // namespace Formula
