// ADFGX and ADFGVX: the letters as row and column symbols of a keyed square, then a columnar
// transposition of those symbols.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/ciphers/KeyedSquare.h"
#include "logic/common/QuarvelError.h"

#include <algorithm>
#include <numeric>

namespace Ciphers {
namespace {

constexpr QLatin1String kTransposition("transposition");

struct Variant
{
    QString symbols; // "ADFGX" or "ADFGVX"
    bool digits; // 6 x 6 with 0-9
};

KeyedSquare variantSquare(const Variant &variant, const ParamValues &values)
{
    if (variant.digits)
        return KeyedSquare(
            kAlphabetAZ09, textParam(values, kKey), {},
            QStringLiteral("Der Schlüssel darf nur Buchstaben und Ziffern enthalten."));
    return KeyedSquare(kAlphabetNoJ, textParam(values, kKey), {u'J', u'I'},
                       QStringLiteral("Der Schlüssel darf nur Buchstaben enthalten."));
}

// The columns in reading order: alphabetical by their key letter, equal letters left to right.
std::vector<int> columnOrder(const ParamValues &values)
{
    const QString word = textParam(values, kTransposition);
    if (word.isEmpty())
        throw QuarvelError(QStringLiteral("Bitte ein Transpositionswort eingeben."));
    std::vector<int> letters;
    for (const QChar c : word) {
        if (letterIndex(c) < 0)
            throw QuarvelError(
                QStringLiteral("Das Transpositionswort darf nur Buchstaben enthalten."));
        letters.push_back(letterIndex(c));
    }
    std::vector<int> order(letters.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return letters[std::size_t(a)] < letters[std::size_t(b)];
    });
    return order;
}

// The length of column `column` when `count` symbols fill rows of `width`.
qsizetype columnLength(qsizetype count, qsizetype width, qsizetype column)
{
    return count / width + (column < count % width ? 1 : 0);
}

QString inFives(const QString &symbols)
{
    QString result;
    result.reserve(symbols.size() + symbols.size() / 5);
    for (qsizetype i = 0; i < symbols.size(); ++i) {
        if (i > 0 && i % 5 == 0)
            result.append(u' ');
        result.append(symbols.at(i));
    }
    return result;
}

QString adfgxEncode(const Variant &variant, const QString &text, const ParamValues &values)
{
    const KeyedSquare square = variantSquare(variant, values);
    const std::vector<int> order = columnOrder(values);
    QString pairs;
    for (const QChar c : text) {
        const int cell = square.cellOf(c);
        if (cell < 0)
            continue;
        pairs.append(variant.symbols.at(cell / square.side()));
        pairs.append(variant.symbols.at(cell % square.side()));
    }
    const qsizetype width = qsizetype(order.size());
    QString columns;
    columns.reserve(pairs.size());
    for (const int column : order) {
        for (qsizetype i = column; i < pairs.size(); i += width)
            columns.append(pairs.at(i));
    }
    return inFives(columns);
}

// The text's symbols as their numbers 0..side-1; white space is skipped, anything else fails.
QString symbolDigits(const Variant &variant, const QString &text)
{
    QString digits;
    digits.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSpace())
            continue;
        const qsizetype digit = variant.symbols.indexOf(c.toUpper());
        if (digit < 0)
            throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 ist keiner der Buchstaben %3.")
                                   .arg(c)
                                   .arg(i + 1)
                                   .arg(variant.symbols));
        digits.append(QChar(char16_t(digit)));
    }
    if (digits.size() % 2 != 0)
        throw QuarvelError(QStringLiteral("Die Buchstaben gehen nicht in Paaren auf (%1 Zeichen).")
                               .arg(digits.size()));
    return digits;
}

QString adfgxDecode(const Variant &variant, const QString &text, const ParamValues &values)
{
    const KeyedSquare square = variantSquare(variant, values);
    const std::vector<int> order = columnOrder(values);
    const QString digits = symbolDigits(variant, text);
    const qsizetype width = qsizetype(order.size());
    QString pairs(digits.size(), QChar());
    qsizetype next = 0;
    for (const int column : order) {
        const qsizetype length = columnLength(digits.size(), width, column);
        for (qsizetype row = 0; row < length; ++row)
            pairs[column + row * width] = digits.at(next++);
    }
    QString result;
    result.reserve(pairs.size() / 2);
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
        result.append(square.symbolAt(pairs.at(i).unicode(), pairs.at(i + 1).unicode()));
    return result;
}

const Variant kAdfgx {QStringLiteral("ADFGX"), false};
const Variant kAdfgvx {QStringLiteral("ADFGVX"), true};

QString adfgxEncode5(const QString &text, const ParamValues &values)
{
    return adfgxEncode(kAdfgx, text, values);
}

QString adfgxDecode5(const QString &text, const ParamValues &values)
{
    return adfgxDecode(kAdfgx, text, values);
}

QString adfgxEncode6(const QString &text, const ParamValues &values)
{
    return adfgxEncode(kAdfgvx, text, values);
}

QString adfgxDecode6(const QString &text, const ParamValues &values)
{
    return adfgxDecode(kAdfgvx, text, values);
}

ParamDecl transpositionDecl()
{
    return ParamDecl {kTransposition,
                      QStringLiteral("Transposition"),
                      ParamKind::Text,
                      {},
                      {},
                      0,
                      0,
                      QStringLiteral("Transpositionswort (nur Buchstaben), nötig")};
}

} // namespace

Cipher adfgxCipher()
{
    return Cipher {
        QStringLiteral("adfgx"),
        QStringLiteral("ADFGX"),
        QStringLiteral("Zeile und Spalte im 5×5-Schlüsselquadrat als A, D, F, G, X, "
                       "danach spaltenweise nach dem Transpositionswort gelesen."),
        {keyDecl(QStringLiteral("Schlüsselwort des Quadrats (J = I)")), transpositionDecl()},
        Keying::Key,
        adfgxEncode5,
        adfgxDecode5};
}

Cipher adfgvxCipher()
{
    return Cipher {QStringLiteral("adfgvx"),
                   QStringLiteral("ADFGVX"),
                   QStringLiteral("Wie ADFGX, aber im 6×6-Quadrat mit A–Z und 0–9 und den "
                                  "Zeichen A, D, F, G, V, X."),
                   {keyDecl(QStringLiteral("Schlüssel des Quadrats (Buchstaben und Ziffern)")),
                    transpositionDecl()},
                   Keying::Key,
                   adfgxEncode6,
                   adfgxDecode6};
}

} // namespace Ciphers
