#include "logic/geo/GeoRead.h"

#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoGrids.h"

#include <QList>
#include <QRegularExpression>

#include <cmath>
#include <optional>

namespace Geo {

namespace {

struct Token
{
    enum Kind { Letter, Number, Mark, Separator } kind;
    QChar symbol; // letter N/S/E/W, mark d/m/s
    QString text; // the number as typed, with "." as decimal point
};

// One half of the position: the numbers with their marks, and its hemisphere letter if any.
struct Half
{
    QList<Token> tokens;
    QChar letter;
};

[[noreturn]] void fail(const QString &message)
{
    throw QuarvelError(message);
}

QString normalized(QString text)
{
    text = text.trimmed().toUpper();
    for (auto [from, to] : {std::pair {u'″', u'"'},
                            {u'′', u'\''},
                            {u'’', u'\''},
                            {u'´', u'\''},
                            {u'`', u'\''},
                            {u'º', u'°'},
                            {u'\u2212', u'-'}})
        text.replace(QChar(from), QChar(to));
    text.replace(QStringLiteral("''"), QStringLiteral("\""));
    if (!text.contains(u'.'))
        text.replace(QRegularExpression(QStringLiteral("(\\d),(\\d)")), QStringLiteral("\\1.\\2"));
    return text;
}

QList<Token> tokenize(const QString &text)
{
    QList<Token> tokens;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
        } else if (c.isDigit() ||
                   ((c == u'-' || c == u'+') && i + 1 < text.size() &&
                    (text[i + 1].isDigit() || text[i + 1] == u'.')) ||
                   (c == u'.' && i + 1 < text.size() && text[i + 1].isDigit())) {
            qsizetype end = i + 1;
            while (end < text.size() && (text[end].isDigit() || text[end] == u'.'))
                ++end;
            tokens.append({Token::Number, {}, text.mid(i, end - i)});
            i = end;
        } else if (QStringLiteral("NSEWO").contains(c)) {
            tokens.append({Token::Letter, c == u'O' ? QChar(u'E') : c, {}});
            ++i;
        } else if (c == u'°' || c == u'\'' || c == u'"') {
            tokens.append({Token::Mark, c == u'°' ? u'd' : (c == u'\'' ? u'm' : u's'), {}});
            ++i;
        } else if (c == u',' || c == u';' || c == u'/') {
            tokens.append({Token::Separator, c, {}});
            ++i;
        } else {
            fail(QStringLiteral("Unerwartetes Zeichen „%1“").arg(c));
        }
    }
    return tokens;
}

qsizetype countOf(const QList<Token> &tokens, Token::Kind kind)
{
    return std::count_if(tokens.begin(), tokens.end(),
                         [kind](const Token &t) { return t.kind == kind; });
}

// Without letters: a separator, else the degree signs, else the count of numbers splits.
std::pair<Half, Half> splitWithoutLetters(const QList<Token> &tokens)
{
    Half first, second;
    if (countOf(tokens, Token::Separator) == 1) {
        Half *target = &first;
        for (const Token &t : tokens) {
            if (t.kind == Token::Separator)
                target = &second;
            else
                target->tokens.append(t);
        }
        return {first, second};
    }
    QList<Token> numbers;
    for (const Token &t : tokens) {
        if (t.kind == Token::Separator)
            fail(QStringLiteral("Breite und Länge bitte mit einem Komma oder Semikolon trennen"));
        numbers.append(t);
    }
    qsizetype cut = -1;
    if (countOf(numbers, Token::Mark) > 0) {
        int degrees = 0;
        for (qsizetype i = 0; i < numbers.size(); ++i) {
            if (numbers[i].kind == Token::Mark && numbers[i].symbol == u'd' && ++degrees == 2)
                cut = i - 1;
        }
    } else {
        const qsizetype n = countOf(numbers, Token::Number);
        if (n == 2 || n == 4 || n == 6)
            cut = n / 2;
    }
    if (cut <= 0)
        fail(QStringLiteral("Breite und Länge lassen sich nicht trennen: N/S und E/W angeben"));
    first.tokens = numbers.mid(0, cut);
    second.tokens = numbers.mid(cut);
    return {first, second};
}

std::pair<Half, Half> splitHalves(const QList<Token> &tokens)
{
    if (tokens.isEmpty())
        fail(QStringLiteral("Bitte eine Koordinate eingeben"));
    const qsizetype letters = countOf(tokens, Token::Letter);
    if (letters == 0)
        return splitWithoutLetters(tokens);
    if (letters != 2)
        fail(QStringLiteral("Es braucht genau zwei Himmelsrichtungen: N oder S und E oder W"));
    const bool before = tokens.first().kind == Token::Letter;
    if (!before && tokens.last().kind != Token::Letter)
        fail(QStringLiteral("Die Himmelsrichtungen gehören alle vor oder alle hinter die Zahlen"));
    Half halves[2];
    int index = before ? -1 : 0;
    for (const Token &t : tokens) {
        if (t.kind == Token::Letter) {
            if (before)
                ++index;
            halves[index].letter = t.symbol;
            if (!before)
                ++index;
        } else if (t.kind != Token::Separator) {
            if (index > 1)
                fail(QStringLiteral("Nach der letzten Himmelsrichtung steht noch etwas"));
            halves[index].tokens.append(t);
        }
    }
    return {halves[0], halves[1]};
}

double numberOf(const Token &t)
{
    const std::optional<long double> value =
        Numbers::tryStrToFloat(QString(t.text).replace(u'.', u','));
    if (!value || !std::isfinite(double(*value)))
        fail(QStringLiteral("„%1“ ist keine Zahl").arg(t.text));
    return double(*value);
}

// Degrees [minutes [seconds]]: marks put a number in its place, unmarked numbers take the
// next place; only the last may have decimals, minutes and seconds stay below 60.
double angleOf(const Half &half, const QString &name)
{
    double parts[3] = {0, 0, 0};
    int next = 0, last = -1;
    bool negative = false, decimals = false;
    for (qsizetype i = 0; i < half.tokens.size(); ++i) {
        const Token &t = half.tokens[i];
        if (t.kind != Token::Number)
            fail(QStringLiteral("Bei der %1 steht ein Zeichen ohne Zahl davor").arg(name));
        int place = next;
        if (i + 1 < half.tokens.size() && half.tokens[i + 1].kind == Token::Mark)
            place = QStringLiteral("dms").indexOf(half.tokens[++i].symbol);
        if (place > 2 || place <= last)
            fail(QStringLiteral("Bei der %1 stehen Grad, Minuten und Sekunden nicht in der "
                                "Reihenfolge")
                     .arg(name));
        if (decimals)
            fail(QStringLiteral("Bei der %1 darf nur die letzte Zahl Nachkommastellen haben")
                     .arg(name));
        decimals = t.text.contains(u'.');
        const double value = numberOf(t);
        if (place > 0 && (t.text.startsWith(u'-') || t.text.startsWith(u'+')))
            fail(QStringLiteral("Minuten und Sekunden haben kein Vorzeichen"));
        if (place > 0 && value >= 60.0)
            fail(
                QStringLiteral("Bei der %1 müssen Minuten und Sekunden unter 60 liegen").arg(name));
        if (place == 0)
            negative = t.text.startsWith(u'-');
        parts[place] = std::abs(value);
        last = place;
        next = place + 1;
    }
    if (last < 0)
        fail(QStringLiteral("Bei der %1 fehlt die Zahl").arg(name));
    const double value = parts[0] + parts[1] / 60.0 + parts[2] / 3600.0;
    if (negative && (half.letter == u'S' || half.letter == u'W'))
        fail(QStringLiteral("Minuszeichen und %1 zugleich: bitte nur eines").arg(half.letter));
    return (negative || half.letter == u'S' || half.letter == u'W') ? -value : value;
}

GeoPoint readAngles(const QString &text)
{
    auto [first, second] = splitHalves(tokenize(text));
    const bool firstIsLon = first.letter == u'E' || first.letter == u'W';
    const bool secondIsLon =
        second.letter.isNull() ? !firstIsLon : (second.letter == u'E' || second.letter == u'W');
    if (firstIsLon == secondIsLon)
        fail(firstIsLon ? QStringLiteral("Zweimal eine Länge (E/W), aber keine Breite (N/S)")
                        : QStringLiteral("Zweimal eine Breite (N/S), aber keine Länge (E/W)"));
    const Half &latHalf = firstIsLon ? second : first;
    const Half &lonHalf = firstIsLon ? first : second;
    const GeoPoint p {angleOf(latHalf, QStringLiteral("Breite")),
                      angleOf(lonHalf, QStringLiteral("Länge"))};
    checkPoint(p);
    return p;
}

double metres(const QString &digits)
{
    return double(Numbers::strToFloat(QString(digits).replace(u'.', u',')));
}

std::optional<GeoPoint> readGrid(const QString &text)
{
    // UTM eastings have six digits (166 000 to 834 000 m); the northing is set apart by blanks.
    static const QRegularExpression utm(QStringLiteral(
        "^(\\d{1,2})\\s*([C-HJ-NP-X])\\s+(?:E\\s*)?(\\d{6}(?:[.,]\\d+)?)(?:\\s*[,;/])?\\s+"
        "(?:N\\s*)?(\\d{1,7}(?:[.,]\\d+)?)$"));
    static const QRegularExpression mgrs(
        QStringLiteral("^(?:\\d{1,2}\\s*[C-HJ-NP-X]|[ABYZ])\\s*[A-HJ-NP-Z]{2}[\\s\\d]*$"));
    static const QRegularExpression pair(QStringLiteral(
        "^(?:[REY]\\s*:?\\s*)?(\\d{7}(?:[.,]\\d+)?)\\s*[,;/]?\\s*(?:[HNX]\\s*:?\\s*)?"
        "(\\d{7}(?:[.,]\\d+)?)$"));
    if (const auto m = utm.match(text); m.hasMatch()) {
        const QChar band = m.captured(2).at(0);
        const GeoPoint p = fromUtm(
            {m.captured(1).toInt(), band >= u'N', metres(m.captured(3)), metres(m.captured(4))});
        if (std::abs(utmBand(p.lat).unicode() - band.unicode()) > 1)
            fail(QStringLiteral("Das UTM-Breitenband %1 passt nicht zum Nordwert").arg(band));
        return p;
    }
    if (mgrs.match(text).hasMatch())
        return fromMgrs(text);
    const auto m = pair.match(QString(text).remove(u'\''));
    if (!m.hasMatch())
        return std::nullopt;
    const double east = metres(m.captured(1)), north = metres(m.captured(2));
    if (east >= 2e6 && east < 3e6 && north >= 1e6 && north < 2e6)
        return fromLv95({0, true, east, north});
    if (east >= 2e6 && east < 6e6 && north >= 5e6 && north < 6.2e6)
        return fromGaussKrueger({int(east / 1e6), true, east, north});
    fail(QStringLiteral("Rechts- und Hochwert passen weder zu Gauß-Krüger noch zu LV95"));
}

} // namespace

GeoPoint readPosition(const QString &text)
{
    const QString clean = normalized(text);
    if (clean.isEmpty())
        fail(QStringLiteral("Bitte eine Koordinate eingeben"));
    if (const std::optional<GeoPoint> grid = readGrid(clean))
        return *grid;
    return readAngles(clean);
}

} // namespace Geo
