// Letters as row and column of a Polybius square: Polybius, Bifid and the tap code.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/ciphers/KeyedSquare.h"
#include "logic/common/QuarvelError.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace Ciphers {
namespace {

constexpr QLatin1String kQuadrat("quadrat");
constexpr QLatin1String kPeriode("periode");
QString lettersOnlyKey()
{
    return QStringLiteral("Der Schlüssel darf nur Buchstaben enthalten.");
}

KeyedSquare polybiusSquare(const ParamValues &values)
{
    if (textParam(values, kQuadrat) == u"6")
        return KeyedSquare(
            kAlphabetAZ09, textParam(values, kKey), {},
            QStringLiteral("Der Schlüssel darf nur Buchstaben und Ziffern enthalten."));
    return KeyedSquare(kAlphabetNoJ, textParam(values, kKey), {u'J', u'I'}, lettersOnlyKey());
}

QString polybiusEncode(const QString &text, const ParamValues &values)
{
    const KeyedSquare square = polybiusSquare(values);
    QString result;
    result.reserve(text.size() * 3);
    for (const QChar c : text) {
        const int cell = square.cellOf(c);
        if (cell < 0)
            continue;
        if (!result.isEmpty())
            result.append(u' ');
        result.append(QChar(u'1' + cell / square.side()));
        result.append(QChar(u'1' + cell % square.side()));
    }
    return result;
}

// The digits of the text as numbers 0..side-1, every other character skipped.
std::vector<int> squareDigits(const QString &text, int side)
{
    std::vector<int> digits;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < u'0' || u > u'9')
            continue;
        if (u == u'0' || u > u'0' + side)
            throw QuarvelError(
                QStringLiteral("Die Ziffer „%1“ an Stelle %2 liegt nicht im Quadrat (1 bis %3).")
                    .arg(QChar(u))
                    .arg(i + 1)
                    .arg(side));
        digits.push_back(u - u'1');
    }
    if (digits.size() % 2 != 0)
        throw QuarvelError(QStringLiteral("Die Ziffern gehen nicht in Paaren auf (%1 Ziffern).")
                               .arg(digits.size()));
    return digits;
}

QString polybiusDecode(const QString &text, const ParamValues &values)
{
    const KeyedSquare square = polybiusSquare(values);
    const std::vector<int> digits = squareDigits(text, square.side());
    QString result;
    result.reserve(qsizetype(digits.size() / 2));
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        result.append(square.symbolAt(digits[i], digits[i + 1]));
    return result;
}

KeyedSquare letterSquare(const ParamValues &values)
{
    return KeyedSquare(kAlphabetNoJ, textParam(values, kKey), {u'J', u'I'}, lettersOnlyKey());
}

std::vector<int> squareCells(const KeyedSquare &square, const QString &text)
{
    std::vector<int> cells;
    cells.reserve(std::size_t(text.size()));
    for (const QChar c : text) {
        const int cell = square.cellOf(c);
        if (cell >= 0 && letterIndex(c) >= 0)
            cells.push_back(cell);
    }
    return cells;
}

// Bifid on one period: `encode` reads the rows, then the columns, in pairs; decoding splits the
// pairs' digits back into a row half and a column half.
void bifidBlock(const KeyedSquare &square, const int *cells, std::size_t count, bool encode,
                QString &out)
{
    std::vector<int> digits(2 * count);
    for (std::size_t i = 0; i < count; ++i) {
        if (encode) {
            digits[i] = cells[i] / 5;
            digits[count + i] = cells[i] % 5;
        } else {
            digits[2 * i] = cells[i] / 5;
            digits[2 * i + 1] = cells[i] % 5;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (encode)
            out.append(square.symbolAt(digits[2 * i], digits[2 * i + 1]));
        else
            out.append(square.symbolAt(digits[i], digits[count + i]));
    }
}

QString bifid(const QString &text, const ParamValues &values, bool encode)
{
    const KeyedSquare square = letterSquare(values);
    const std::vector<int> cells = squareCells(square, text);
    const std::size_t period = numberParam(values, kPeriode) == 0
        ? std::max<std::size_t>(cells.size(), 1)
        : std::size_t(numberParam(values, kPeriode));
    QString result;
    result.reserve(qsizetype(cells.size()));
    for (std::size_t start = 0; start < cells.size(); start += period)
        bifidBlock(square, cells.data() + start, std::min(period, cells.size() - start), encode,
                   result);
    return result;
}

QString bifidEncode(const QString &text, const ParamValues &values)
{
    return bifid(text, values, true);
}

QString bifidDecode(const QString &text, const ParamValues &values)
{
    return bifid(text, values, false);
}

// The tap code's square: A-Z without K, which is tapped as C.
const KeyedSquare &tapSquare()
{
    static const KeyedSquare square(QStringLiteral("ABCDEFGHIJLMNOPQRSTUVWXYZ"), {}, {u'K', u'C'},
                                    {});
    return square;
}

// What goes before a letter's taps: nothing for the first letter, "  " between letters, " / "
// after a blank. Padded to four units so every one is copied whole.
constexpr char16_t kTapSeparators[3][4] = {u"", u"  ", u" / "};
constexpr int kTapSeparatorSizes[3] = {0, 2, 3};

// A cell's row taps, a blank and its column taps, padded to 16 units.
struct TapCode
{
    char16_t units[16];
    int size;
};

const std::array<TapCode, 25> &tapCodes()
{
    static const std::array<TapCode, 25> codes = [] {
        std::array<TapCode, 25> all {};
        for (int cell = 0; cell < 25; ++cell) {
            TapCode &code = all[std::size_t(cell)];
            std::fill_n(code.units, 16, u'.');
            code.units[cell / 5 + 1] = u' ';
            code.size = cell / 5 + cell % 5 + 3;
        }
        return all;
    }();
    return codes;
}

// Calls take(cell, separator) for every letter in turn, separator indexing kTapSeparators.
template<typename Take> void tapLetters(const QString &text, Take take)
{
    const KeyedSquare &square = tapSquare();
    bool wordBreak = false;
    bool first = true;
    for (const QChar c : text) {
        const int cell = letterIndex(c) >= 0 ? square.cellOf(c) : -1;
        if (cell < 0) {
            wordBreak = wordBreak || c.isSpace();
            continue;
        }
        take(cell, first ? 0 : wordBreak ? 2 : 1);
        first = false;
        wordBreak = false;
    }
}

// The result is measured first and then written in place with fixed-size copies: a megabyte of
// text makes some eight million characters, and taps of random length would mispredict.
QString klopfEncode(const QString &text, const ParamValues &)
{
    const std::array<TapCode, 25> &codes = tapCodes();
    qsizetype size = 0;
    tapLetters(text, [&](int cell, int separator) {
        size += kTapSeparatorSizes[separator] + codes[std::size_t(cell)].size;
    });
    if (size == 0)
        return {};
    QString result(size + 16, Qt::Uninitialized); // room for the last whole copy
    char16_t *out = reinterpret_cast<char16_t *>(result.data());
    tapLetters(text, [&](int cell, int separator) {
        std::memcpy(out, kTapSeparators[separator], sizeof kTapSeparators[separator]);
        out += kTapSeparatorSizes[separator];
        const TapCode &code = codes[std::size_t(cell)];
        std::memcpy(out, code.units, sizeof code.units);
        out += code.size;
    });
    result.resize(size);
    return result;
}

[[noreturn]] void tapError(qsizetype position)
{
    throw QuarvelError(
        QStringLiteral("Klopfcode: an Stelle %1 steht keine Zahl von 1 bis 5.").arg(position + 1));
}

void tapFlush(std::vector<int> &numbers, QString &out, qsizetype position)
{
    if (numbers.size() % 2 != 0)
        throw QuarvelError(QStringLiteral("Klopfcode: vor Stelle %1 fehlt die Spalte zur Zeile.")
                               .arg(position + 1));
    for (std::size_t i = 0; i < numbers.size(); i += 2)
        out.append(tapSquare().symbolAt(numbers[i], numbers[i + 1]));
    numbers.clear();
}

QString klopfDecode(const QString &text, const ParamValues &)
{
    QString result;
    std::vector<int> numbers;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u == u'.') {
            const qsizetype start = i;
            while (i + 1 < text.size() && text.at(i + 1) == u'.')
                ++i;
            if (i - start >= 5)
                tapError(start);
            numbers.push_back(int(i - start));
        } else if (u >= u'0' && u <= u'9') {
            if (u == u'0' || u > u'5')
                tapError(i);
            numbers.push_back(u - u'1');
        } else if (u == u'/') {
            tapFlush(numbers, result, i);
            result.append(u' ');
        }
    }
    tapFlush(numbers, result, text.size());
    return result;
}

} // namespace

Cipher polybiusCipher()
{
    return Cipher {
        QStringLiteral("polybius"),
        QStringLiteral("Polybius-Quadrat"),
        QStringLiteral("Jeder Buchstabe wird zu Zeile und Spalte im 5×5-Quadrat (J = I), "
                       "zum Beispiel A = 11."),
        {keyDecl(QStringLiteral("Schlüsselwort: seine Buchstaben zuerst ins Quadrat")),
         choiceDecl(kQuadrat, QStringLiteral("Quadrat"), {QStringLiteral("5"), QStringLiteral("6")},
                    QStringLiteral("5 (A–Z ohne J) oder 6 (A–Z und 0–9), Vorgabe 5"))},
        Keying::None,
        polybiusEncode,
        polybiusDecode};
}

Cipher bifidCipher()
{
    return Cipher {
        QStringLiteral("bifid"),
        QStringLiteral("Bifid"),
        QStringLiteral("Zeilen und Spalten der Buchstaben im Schlüsselquadrat werden "
                       "je Periode hintereinander geschrieben und paarweise gelesen."),
        {keyDecl(QStringLiteral("Schlüsselwort des 5×5-Quadrats (J = I)")),
         numberDecl(kPeriode, QStringLiteral("Periode"), 0, 1000000, 0,
                    QStringLiteral("Länge einer Periode, 0 = der ganze Text (Vorgabe)"))},
        Keying::Key,
        bifidEncode,
        bifidDecode};
}

Cipher klopfcodeCipher()
{
    return Cipher {QStringLiteral("klopfcode"),
                   QStringLiteral("Klopfcode"),
                   QStringLiteral("Zeile und Spalte im 5×5-Quadrat ohne K (K = C) als Punkte: "
                                  "„.. ...  . .“ = HA."),
                   {},
                   Keying::None,
                   klopfEncode,
                   klopfDecode};
}

} // namespace Ciphers
