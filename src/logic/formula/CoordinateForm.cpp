#include "logic/formula/CoordinateForm.h"

#include "logic/common/QuarvelError.h"
#include "logic/formula/PositionReader.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Formula {

namespace {

QString halfName(int half)
{
    return half == 0 ? QStringLiteral("Breite") : QStringLiteral("Länge");
}

[[noreturn]] void refuse(const QString &message)
{
    throw QuarvelError(QStringLiteral("Form: ") + message);
}

int64_t powerOfTen(int exponent)
{
    int64_t result = 1;
    while (exponent-- > 0)
        result *= 10;
    return result;
}

// Digits of `value`, with leading zeros up to `width`; returns the end. Written straight into
// the buffer: the search writes millions of candidates.
char *putNumber(char *out, int64_t value, int width)
{
    char digits[24];
    int count = 0;
    do {
        digits[count++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int i = count; i < width; ++i)
        *out++ = '0';
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

} // namespace

CoordinateForm CoordinateForm::parse(const QString &text)
{
    if (text.trimmed().isEmpty())
        refuse(QStringLiteral("Die Form ist leer; sie braucht Platzhalter wie {g} und {mm}"));
    if (text.size() > kMaxLength)
        refuse(QStringLiteral("Die Form ist %1 Zeichen lang, höchstens %2 sind erlaubt")
                   .arg(text.size())
                   .arg(kMaxLength));
    CoordinateForm form;
    form.m_text = text;
    QString literal;
    const auto flush = [&] {
        if (!literal.isEmpty())
            form.m_pieces.push_back({Literal, 0, 0, literal.toStdString()});
        literal.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool doubled = i + 1 < text.size() && text.at(i + 1) == c;
        if ((c == u'{' || c == u'}') && doubled) {
            literal += c;
            ++i;
        } else if (c == u'}') {
            refuse(QStringLiteral("Zeichen %1: „}“ ohne „{“ (eine Klammer selbst wird „}}“ "
                                  "geschrieben)")
                       .arg(i + 1));
        } else if (c == u'{') {
            const qsizetype close = text.indexOf(u'}', i + 1);
            if (close < 0)
                refuse(QStringLiteral("Zeichen %1: „{“ ohne „}“").arg(i + 1));
            flush();
            form.addPlaceholder(text.mid(i + 1, close - i - 1), i);
            i = close;
        } else {
            literal += c;
        }
    }
    flush();
    form.assignHemispheres();
    form.checkHalves();
    form.buildTemplate();
    // Whole degrees have at most 3 digits, minutes and seconds 2; decimal places fill their width.
    for (const Piece &piece : form.m_pieces)
        form.m_maxLength +=
            piece.kind == Literal ? piece.literal.size() : size_t(std::max(piece.digits, 3));
    return form;
}

CoordinateForm CoordinateForm::fromNameOrText(const QString &text)
{
    for (const ReadyForm &ready : readyForms()) {
        if (text.trimmed().compare(ready.name, Qt::CaseInsensitive) == 0)
            return parse(ready.form);
    }
    if (!text.contains(u'{') && !text.trimmed().isEmpty()) {
        QStringList names;
        for (const ReadyForm &ready : readyForms())
            names.append(ready.name);
        refuse(QStringLiteral("„%1“ ist weder eine fertige Form (%2) noch eine Form mit "
                              "Platzhaltern wie {gg}")
                   .arg(text, names.join(QStringLiteral(", "))));
    }
    return parse(text);
}

// A placeholder takes the first free place of its kind in the current half; when the place is
// taken, the longitude begins. The hemisphere letters are placed once all numbers are.
void CoordinateForm::addPlaceholder(const QString &name, qsizetype at)
{
    const QString where = QStringLiteral("Zeichen %1: ").arg(at + 1);
    if (name == u"h") {
        m_pieces.push_back({Hemisphere, -1, 0, {}});
        return;
    }
    const QChar letter = name.isEmpty() ? QChar() : name.at(0);
    Kind kind = Literal;
    if (letter == u'g')
        kind = Degrees;
    else if (letter == u'd')
        kind = DegreeDecimals;
    else if (letter == u'm')
        kind = Minutes;
    else if (letter == u's')
        kind = Seconds;
    if (kind == Literal || name.count(letter) != name.size())
        refuse(where +
               QStringLiteral("unbekannter Platzhalter „{%1}“; erlaubt sind {h}, {g…}, "
                              "{d…}, {m…} und {s…}")
                   .arg(name));
    int half = 0;
    for (const Piece &piece : m_pieces)
        half = std::max(half, piece.half);
    const auto free = [&](Kind k) { return !m_used[half][k]; };
    if ((kind == Minutes || kind == Seconds) && !free(kind))
        kind = Kind(kind + 1); // the second one is the decimal places
    if (!free(kind)) {
        if (half == 1)
            refuse(where +
                   QStringLiteral("„{%1}“ hat weder in der Breite noch in der Länge "
                                  "Platz; eine Koordinate hat nur diese zwei Hälften")
                       .arg(name));
        half = 1;
        kind = letter == u'm' ? Minutes : letter == u's' ? Seconds : kind;
    }
    const bool decimals =
        kind == DegreeDecimals || kind == MinuteDecimals || kind == SecondDecimals;
    const int most = decimals ? kMaxDecimals : kind == Degrees ? kMaxWholeDigits : 2;
    if (name.size() > most)
        refuse(where +
               QStringLiteral("„{%1}“ hat %2 Buchstaben, höchstens %3 sind hier erlaubt")
                   .arg(name)
                   .arg(name.size())
                   .arg(most));
    m_used[half][kind] = true;
    m_pieces.push_back({kind, half, int(name.size()), {}});
}

// Two {h}: the first is the latitude's, the second the longitude's. One alone is the
// latitude's when it stands before every number, else the longitude's.
void CoordinateForm::assignHemispheres()
{
    int count = 0;
    bool numberSeen = false;
    for (Piece &piece : m_pieces)
        count += piece.kind == Hemisphere ? 1 : 0;
    if (count > 2)
        refuse(QStringLiteral("{h} steht %1-mal in der Form; Breite und Länge haben je nur eine "
                              "Himmelsrichtung")
                   .arg(count));
    int seen = 0;
    for (Piece &piece : m_pieces) {
        if (piece.kind != Hemisphere) {
            numberSeen = numberSeen || piece.kind != Literal;
            continue;
        }
        piece.half = count == 2 ? seen++ : (numberSeen ? 1 : 0);
        m_used[piece.half][Hemisphere] = true;
    }
}

void CoordinateForm::checkHalves()
{
    for (int half = 0; half < 2; ++half) {
        const bool *used = m_used[half];
        const QString name = halfName(half);
        if (!used[Degrees])
            refuse(QStringLiteral("Der %1 fehlen die Grad; Breite und Länge brauchen je ein {g…}")
                       .arg(name));
        if (used[DegreeDecimals] && used[Minutes])
            refuse(QStringLiteral("In der %1 stehen Dezimalgrad ({d…}) neben Minuten").arg(name));
        if (used[Seconds] && used[MinuteDecimals])
            refuse(QStringLiteral("In der %1 stehen Sekunden neben Nachkommastellen der Minuten")
                       .arg(name));
        if (used[Seconds] && !used[Minutes])
            refuse(QStringLiteral("In der %1 stehen Sekunden ohne Minuten").arg(name));
        Scale &scale = m_scale[half];
        for (const Piece &piece : m_pieces) {
            const bool decimals = piece.kind == DegreeDecimals || piece.kind == MinuteDecimals ||
                piece.kind == SecondDecimals;
            if (piece.half == half && decimals)
                scale.decimalModulus = powerOfTen(piece.digits);
        }
        if (used[Seconds]) {
            scale.perSecond = scale.decimalModulus;
            scale.perMinute = 60 * scale.perSecond;
            scale.perDegree = 60 * scale.perMinute;
        } else if (used[Minutes]) {
            scale.perMinute = scale.decimalModulus;
            scale.perDegree = 60 * scale.perMinute;
        } else {
            scale.perDegree = scale.decimalModulus;
        }
        scale.degree = Divisor(scale.perDegree);
        scale.minute = Divisor(scale.perMinute);
        scale.second = Divisor(scale.perSecond);
        scale.decimal = Divisor(scale.decimalModulus);
    }
}

CoordinateForm::Divisor::Divisor(int64_t d)
    : divisor(uint32_t(d))
    , reciprocal(d > 1 ? ~uint64_t(0) / uint64_t(d) + 1 : 0)
{
}

CoordinateForm::Numbers CoordinateForm::split(double value, int half) const
{
    const Scale &scale = m_scale[half];
    // Half up, like llround for these non-negative values, without its library call.
    const auto units = uint64_t(std::fabs(value) * double(scale.perDegree) + 0.5);
    // The divisors are below 2^32 (3600 * 10^6 at most); so is the count of units unless the
    // form is very fine, and then it takes the slow division.
    const uint64_t degrees =
        units >> 32 ? units / uint64_t(scale.perDegree) : scale.degree.divide(uint32_t(units));
    const auto rest = uint32_t(units - degrees * uint64_t(scale.perDegree));
    const uint32_t minutes = scale.minute.divide(rest);
    const uint32_t inMinute = rest - minutes * uint32_t(scale.perMinute);
    const uint32_t decimals = rest - scale.decimal.divide(rest) * uint32_t(scale.decimalModulus);
    Numbers numbers {};
    numbers[Hemisphere] = value < 0 && units != 0;
    numbers[Degrees] = int64_t(degrees);
    numbers[Minutes] = minutes;
    numbers[Seconds] = scale.second.divide(inMinute);
    numbers[DegreeDecimals] = numbers[MinuteDecimals] = numbers[SecondDecimals] = decimals;
    return numbers;
}

// Degrees up to 90 and 180 take 2 and 3 digits, minutes and seconds 2, decimal places exactly
// their width: a form whose placeholders are at least this wide writes texts of one length,
// each number with as many digits as its placeholder has letters.
void CoordinateForm::buildTemplate()
{
    std::string text;
    std::vector<Slot> placed;
    for (const Piece &piece : m_pieces) {
        const int widest = piece.kind == Degrees             ? (piece.half == 0 ? 2 : 3)
            : piece.kind == Minutes || piece.kind == Seconds ? 2
            : piece.kind == Hemisphere                       ? 1
                                                             : piece.digits;
        if (piece.kind == Literal) {
            text += piece.literal;
            continue;
        }
        if (piece.kind != Hemisphere && piece.digits < widest)
            return; // a number may be longer than its placeholder: no fixed length
        const int digits = piece.kind == Hemisphere ? 1 : piece.digits;
        placed.push_back({text.size(), piece.kind, piece.half, digits});
        text.append(size_t(digits), '0');
    }
    m_template = std::move(text);
    m_slots = std::move(placed);
}

bool CoordinateForm::write(const ReadPosition &position, std::string &out) const
{
    const size_t start = out.size();
    out.resize(start + m_maxLength);
    const size_t length = write(position, out.data() + start);
    out.resize(start + length);
    return position.valid;
}

size_t CoordinateForm::write(const ReadPosition &position, char *out) const
{
    if (!position.valid)
        return 0;
    const Numbers halves[2] = {split(position.latitude, 0), split(position.longitude, 1)};
    static constexpr char kLetters[2][2] = {{'N', 'S'}, {'E', 'W'}};
    if (!m_slots.empty()) {
        std::memcpy(out, m_template.data(), m_template.size());
        for (const Slot &slot : m_slots) {
            uint64_t value = uint64_t(halves[slot.half][slot.kind]);
            if (slot.kind == Hemisphere) {
                out[slot.offset] = kLetters[slot.half][value];
                continue;
            }
            for (int i = slot.digits - 1; i >= 0; --i) {
                out[slot.offset + size_t(i)] = char('0' + value % 10);
                value /= 10;
            }
        }
        return m_template.size();
    }
    char *end = out;
    for (const Piece &piece : m_pieces) {
        if (piece.kind == Literal) {
            end = std::copy(piece.literal.begin(), piece.literal.end(), end);
        } else if (piece.kind == Hemisphere) {
            *end++ = kLetters[piece.half][halves[piece.half][Hemisphere]];
        } else {
            end = putNumber(end, halves[piece.half][piece.kind], piece.digits);
        }
    }
    return size_t(end - out);
}

QString CoordinateForm::writeText(const ReadPosition &position) const
{
    std::string out;
    return write(position, out) ? QString::fromStdString(out) : QString();
}

const std::vector<ReadyForm> &readyForms()
{
    static const std::vector<ReadyForm> all = {
        {QStringLiteral("kompakt"), QStringLiteral("{h}{gg} {mm}.{mmm} {h}{ggg} {mm}.{mmm}"),
         QStringLiteral("N51 23.456 E007 12.345")},
        {QStringLiteral("leerzeichen"), QStringLiteral("{h} {gg} {mm}.{mmm} {h} {ggg} {mm}.{mmm}"),
         QStringLiteral("N 51 23.456 E 007 12.345")},
        {QStringLiteral("grad"), QStringLiteral("{h} {gg}° {mm}.{mmm} {h} {ggg}° {mm}.{mmm}"),
         QStringLiteral("N 51° 23.456 E 007° 12.345")},
        {QStringLiteral("gradkompakt"), QStringLiteral("{h}{gg}°{mm}.{mmm} {h}{ggg}°{mm}.{mmm}"),
         QStringLiteral("N51°23.456 E007°12.345")},
        {QStringLiteral("ohneleerzeichen"), QStringLiteral("{h}{gg}{mm}.{mmm}{h}{ggg}{mm}.{mmm}"),
         QStringLiteral("N5123.456E00712.345")},
        {QStringLiteral("ohnenullen"), QStringLiteral("{h}{g} {m}.{mmm} {h}{g} {m}.{mmm}"),
         QStringLiteral("N51 23.456 E7 12.345")},
        {QStringLiteral("ziffern"), QStringLiteral("{gg}{mm}{mmm}{ggg}{mm}{mmm}"),
         QStringLiteral("512345600712345")},
    };
    return all;
}

} // namespace Formula
