// Every letter its group of symbols: letter numbers, Bacon, Kenny and the Fermilab code.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"
#include "logic/solvers/FermilabCode.h"

#include <array>
#include <charconv>

namespace Ciphers {
namespace {

constexpr QLatin1String kVersatz("versatz");

// The numbers are appended as Latin-1 digits: a string per letter would cost more than the
// rest of the work on a long text.
QString a1z26Encode(const QString &text, const ParamValues &values)
{
    const int first = numberParam(values, kVersatz);
    QString result;
    result.reserve(text.size() * 4);
    bool wordBreak = false;
    for (const QChar c : text) {
        const int index = letterIndex(c);
        if (index < 0) {
            wordBreak = wordBreak || c.isSpace();
            continue;
        }
        if (!result.isEmpty())
            result.append(wordBreak ? QLatin1String(" - ") : QLatin1String(" "));
        wordBreak = false;
        char digits[12];
        const char *end = std::to_chars(digits, digits + sizeof digits, first + index).ptr;
        result.append(QLatin1String(digits, end));
    }
    return result;
}

// A separator between two numbers that holds a blank and a dash (" - ", " / ") stands between
// words; any other separator only between letters.
bool separatesWords(QStringView separator)
{
    bool blank = false, dash = false;
    for (const QChar c : separator) {
        blank = blank || c.isSpace();
        dash = dash || c == u'-' || c == u'/';
    }
    return blank && dash;
}

QString a1z26Decode(const QString &text, const ParamValues &values)
{
    const int first = numberParam(values, kVersatz);
    QString result;
    qsizetype i = 0;
    qsizetype separatorStart = 0;
    while (i < text.size()) {
        if (text.at(i).unicode() < u'0' || text.at(i).unicode() > u'9') {
            ++i;
            continue;
        }
        if (!result.isEmpty() &&
            separatesWords(QStringView(text).mid(separatorStart, i - separatorStart)))
            result.append(u' ');
        const qsizetype start = i;
        while (i < text.size() && text.at(i).unicode() >= u'0' && text.at(i).unicode() <= u'9')
            ++i;
        const qsizetype digits = i - start;
        const int number = digits <= 6 ? text.mid(start, digits).toInt() : -1;
        if (number < first || number > first + 25)
            throw QuarvelError(
                QStringLiteral("Die Zahl „%1“ an Stelle %2 ist keine Buchstabennummer (%3 bis %4).")
                    .arg(text.mid(start, std::min<qsizetype>(digits, 20)))
                    .arg(start + 1)
                    .arg(first)
                    .arg(first + 25));
        result.append(QChar(u'A' + number - first));
        separatorStart = i;
    }
    return result;
}

struct BaconForm
{
    QString alphabet; // the letters in group order
    char32_t zero, one; // upper case
};

char32_t upperCodePoint(char32_t c)
{
    if (c >= U'a' && c <= U'z')
        return c - 32;
    return c < 128 ? c : QChar::toUpper(c);
}

// Two symbols are two characters as the user sees them, so an emoji (two UTF-16 units) is one.
// A blank, a tab or a line break cannot be one: blanks part the groups the encoder writes.
BaconForm baconForm(const ParamValues &values)
{
    const QString symbols = textParam(values, QStringLiteral("zeichen"));
    const QList<uint> points = symbols.toUcs4();
    if (points.size() != 2 || upperCodePoint(points[0]) == upperCodePoint(points[1]))
        throw QuarvelError(
            QStringLiteral("Die Zeichen müssen genau zwei verschiedene Zeichen sein, nicht „%1“.")
                .arg(symbols.left(20)));
    for (const uint point : points) {
        if (QChar::isSpace(point))
            throw QuarvelError(QStringLiteral("Ein Leerraum kann kein Zeichen sein: Leerzeichen "
                                              "trennen die Fünfergruppen."));
    }
    const bool full = switchParam(values, QStringLiteral("26"));
    return BaconForm {full ? QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")
                           : QStringLiteral("ABCDEFGHIKLMNOPQRSTUWXYZ"),
                      upperCodePoint(points[0]), upperCodePoint(points[1])};
}

QString baconEncode(const QString &text, const ParamValues &values)
{
    const BaconForm form = baconForm(values);
    const QString zero = QString::fromUcs4(&form.zero, 1);
    const QString one = QString::fromUcs4(&form.one, 1);
    // Each letter's group of five, built once instead of per letter.
    std::array<QString, 26> groups;
    for (int index = 0; index < 26; ++index) {
        QChar letter = QChar(u'A' + index);
        if (form.alphabet.size() == 24 && (letter == u'J' || letter == u'V'))
            letter = QChar(letter.unicode() - 1);
        const qsizetype value = form.alphabet.indexOf(letter);
        for (int bit = 4; bit >= 0; --bit)
            groups[std::size_t(index)] += (value >> bit) & 1 ? one : zero;
    }
    QString result;
    result.reserve(text.size() * (zero.size() + one.size()) * 3);
    for (const QChar c : text) {
        const int index = letterIndex(c);
        if (index < 0)
            continue;
        if (!result.isEmpty())
            result.append(u' ');
        result.append(groups[std::size_t(index)]);
    }
    return result;
}

// Positions in messages count characters as the user sees them.
QString baconDecode(const QString &text, const ParamValues &values)
{
    const BaconForm form = baconForm(values);
    QString result;
    int value = 0, bits = 0;
    qsizetype groupStart = 0, position = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++position) {
        char32_t raw = text.at(i).unicode();
        if (QChar::isHighSurrogate(raw) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            raw = QChar::surrogateToUcs4(char16_t(raw), text.at(++i).unicode());
        const char32_t c = upperCodePoint(raw);
        if (c != form.zero && c != form.one)
            continue;
        if (bits == 0)
            groupStart = position;
        value = 2 * value + (c == form.one ? 1 : 0);
        if (++bits < 5)
            continue;
        if (value >= form.alphabet.size())
            throw QuarvelError(
                QStringLiteral("Die Fünfergruppe ab Stelle %1 steht für keinen Buchstaben.")
                    .arg(groupStart + 1));
        result.append(form.alphabet.at(value));
        value = bits = 0;
    }
    if (bits != 0)
        throw QuarvelError(
            QStringLiteral("Die letzte Gruppe ab Stelle %1 hat nur %2 von 5 Zeichen.")
                .arg(groupStart + 1)
                .arg(bits));
    return result;
}

int kennyDigit(QChar c)
{
    switch (c.unicode()) {
    case u'm':
    case u'M':
        return 0;
    case u'p':
    case u'P':
        return 1;
    case u'f':
    case u'F':
        return 2;
    default:
        return -1;
    }
}

QString kennyEncode(const QString &text, const ParamValues &)
{
    static const char16_t kSymbols[] = u"mpf";
    QString result;
    result.reserve(text.size() * 3);
    for (const QChar c : text) {
        const int index = letterIndex(c);
        if (index < 0) {
            result.append(c);
            continue;
        }
        const QChar first(kSymbols[index / 9]);
        result.append(isLower(c) ? first : first.toUpper());
        result.append(QChar(kSymbols[index / 3 % 3]));
        result.append(QChar(kSymbols[index % 3]));
    }
    return result;
}

QString kennyDecode(const QString &text, const ParamValues &)
{
    QString result;
    result.reserve(text.size() / 3 + 1);
    qsizetype i = 0;
    while (i < text.size()) {
        const int d0 = kennyDigit(text.at(i));
        const int d1 = i + 1 < text.size() ? kennyDigit(text.at(i + 1)) : -1;
        const int d2 = i + 2 < text.size() ? kennyDigit(text.at(i + 2)) : -1;
        if (d0 < 0 || d1 < 0 || d2 < 0) {
            result.append(text.at(i++));
            continue;
        }
        const int index = 9 * d0 + 3 * d1 + d2;
        if (index > 25)
            throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 ist kein Buchstabe im Kenny-Code.")
                                   .arg(text.mid(i, 3))
                                   .arg(i + 1));
        result.append(letterLike(index, text.at(i).isUpper() ? QChar(u'A') : QChar(u'a')));
        i += 3;
    }
    return result;
}

QString fermilabEncode(const QString &text, const ParamValues &)
{
    QString result;
    for (const QChar c : text) {
        const int index = letterIndex(c);
        const int value = index >= 0 ? index + 1 : (c == u' ' ? 0 : -1);
        if (value < 0)
            continue;
        if (!result.isEmpty())
            result.append(u' ');
        result.append(QChar(u'0' + value / 9));
        result.append(QChar(u'0' + value / 3 % 3));
        result.append(QChar(u'0' + value % 3));
    }
    return result;
}

QString fermilabDecode(const QString &text, const ParamValues &)
{
    return FermilabDecode(text);
}

} // namespace

Cipher a1z26Cipher()
{
    return Cipher {
        QStringLiteral("a1z26"),
        QStringLiteral("Buchstabennummern (A1Z26)"),
        QStringLiteral("Jeder Buchstabe wird zu seiner Nummer im Alphabet: A = 1 … Z = 26; "
                       "Wörter getrennt durch „ - “."),
        {numberDecl(kVersatz, QStringLiteral("A ="), 0, 1000, 1,
                    QStringLiteral("die Nummer von A (Vorgabe 1)"))},
        Keying::None,
        a1z26Encode,
        a1z26Decode};
}

Cipher baconCipher()
{
    return Cipher {
        QStringLiteral("bacon"),
        QStringLiteral("Bacon"),
        QStringLiteral("Jeder Buchstabe eine Fünfergruppe aus A und B (I = J, U = V): A = AAAAA, "
                       "B = AAAAB, …"),
        {switchDecl(QStringLiteral("26"), QStringLiteral("26 Buchstaben"),
                    QStringLiteral("jeder der 26 Buchstaben mit eigener Gruppe")),
         ParamDecl {QStringLiteral("zeichen"),
                    QStringLiteral("Zeichen"),
                    ParamKind::Text,
                    QStringLiteral("AB"),
                    {},
                    0,
                    0,
                    QStringLiteral("die beiden Zeichen statt A und B (Vorgabe AB)")}},
        Keying::None,
        baconEncode,
        baconDecode};
}

Cipher kennyCipher()
{
    return Cipher {QStringLiteral("kenny"),
                   QStringLiteral("Kenny-Code"),
                   QStringLiteral("Jeder Buchstabe drei Zeichen aus m, p, f (m = 0, p = 1, "
                                  "f = 2): A = mmm … Z = ffp."),
                   {},
                   Keying::None,
                   kennyEncode,
                   kennyDecode};
}

Cipher fermilabCipher()
{
    return Cipher {QStringLiteral("fermilab"),
                   QStringLiteral("Fermilab-Code"),
                   QStringLiteral("Jeder Buchstabe seine Nummer zur Basis 3 mit drei Ziffern "
                                  "(A = 001 … Z = 222), ein Leerzeichen 000."),
                   {},
                   Keying::None,
                   fermilabEncode,
                   fermilabDecode};
}

} // namespace Ciphers
