#include "BreakerReadings.h"
#include "Breakers.h"

#include "QuadgramTables.h"

#include "logic/ciphers/CipherText.h"
#include "logic/ciphers/KeyedSquare.h"
#include "logic/common/QuarvelError.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

struct Variant
{
    const char *method;
    QLatin1String symbols;
};

constexpr Variant kAdfgx {"adfgx", QLatin1String("ADFGX")};
constexpr Variant kAdfgvx {"adfgvx", QLatin1String("ADFGVX")};

// The text's symbols as row/column numbers; empty when anything but the variant's letters and
// white space is in it, or when they do not come in pairs.
QByteArray variantDigits(const QString &text, const Variant &variant)
{
    QByteArray digits;
    for (const QChar c : text) {
        if (c.isSpace())
            continue;
        const qsizetype digit = variant.symbols.indexOf(c.toUpper());
        if (digit < 0)
            return {};
        digits.append(char(digit));
    }
    return digits.size() % 2 == 0 ? digits : QByteArray();
}

// The columns in reading order as the registry derives them from a transposition word: by
// letter, equal letters left to right. Empty for a word with anything but letters.
std::vector<int> wordOrder(const QString &word)
{
    std::vector<int> letters;
    for (const QChar c : word) {
        if (Ciphers::letterIndex(c) < 0)
            return {};
        letters.push_back(Ciphers::letterIndex(c));
    }
    std::vector<int> order(letters.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return letters[size_t(a)] < letters[size_t(b)]; });
    return order;
}

// The letters of the square's cells that pairs of digits name; digits of the 6×6 square give
// no letter and are left out of the reading's score.
QByteArray pairLetters(const QByteArray &digits, const QString &square, int side)
{
    QByteArray letters;
    letters.reserve(digits.size() / 2);
    for (qsizetype i = 0; i + 1 < digits.size(); i += 2) {
        const char16_t symbol = square[digits[i] * side + digits[i + 1]].unicode();
        if (symbol >= u'A' && symbol <= u'Z')
            letters.append(char(symbol - u'A'));
    }
    return letters;
}

double factorialDecades(int n)
{
    return std::lgamma(double(n) + 1.0) / std::log(10.0);
}

// The square's key known: the transposition of every width, the best reading kept.
std::optional<BrokenReading> breakTransposition(const BreakerContext &context,
                                                const Variant &variant, const QByteArray &digits)
{
    const int side = int(variant.symbols.size());
    QString square;
    try {
        square = Ciphers::KeyedSquare(side == 5 ? QString(Ciphers::kAlphabetNoJ)
                                                : QString(Ciphers::kAlphabetAZ09),
                                      context.request.key.trimmed(),
                                      side == 5 ? Ciphers::KeyedSquare::Merge {u'J', u'I'}
                                                : Ciphers::KeyedSquare::Merge {},
                                      QString())
                     .symbols();
    } catch (const QuarvelError &) {
        return std::nullopt; // a key this square cannot take: no ADFGX reading with it
    }
    const LanguageModel &model = LanguageModel::of(context.language);
    // A digit of the 6×6 square costs as much as an unseen quadgram: left out for free, orders
    // that make many digits would read best.
    const OrderCost cost = [&](const QByteArray &pairs) {
        const QByteArray letters = pairLetters(pairs, square, side);
        return model.streamCost(letters.constData(), letters.size()) +
            (pairs.size() / 2 - letters.size()) * model.floorCost();
    };
    OrderResult best;
    double bestMerit = 0;
    int bestWidth = 0;
    for (int width = 2; width <= kMaxColumns && width <= digits.size() / 2; ++width) {
        const double information = factorialDecades(width);
        if (!context.supports(information) || (context.stop && context.stop()))
            continue;
        OrderResult result = searchColumnOrder(digits, width, cost, 6, context.stop);
        // A wider key fits any text a little better: each column pays like a key letter.
        const double merit = double(result.cost) + information * QuadgramTables::kStep;
        if (bestWidth == 0 || merit < bestMerit) {
            best = std::move(result);
            bestMerit = merit;
            bestWidth = width;
        }
    }
    if (bestWidth == 0)
        return std::nullopt;
    const QString word = orderKeyWord(best.order);
    const Ciphers::ParamValues params {
        {QStringLiteral("schluessel"), context.request.key.trimmed()},
        {QStringLiteral("transposition"), word}};
    const QString method = QString::fromLatin1(variant.method);
    return BrokenReading {method, params,
                          context.request.key.trimmed() + QStringLiteral(", ") + word,
                          Ciphers::findCipher(method)->decode(context.request.text, params),
                          factorialDecades(bestWidth)};
}

std::optional<BrokenReading> breakSquare(const BreakerContext &context, const Variant &variant,
                                         const QByteArray &digits)
{
    const QString word = context.request.transposition.trimmed();
    const std::vector<int> order = wordOrder(word);
    if (order.empty() || qsizetype(order.size()) > digits.size())
        return std::nullopt;
    const int side = int(variant.symbols.size());
    const AdfgxSquareResult found = searchAdfgxSquare(
        undoColumns(digits, order), side, LanguageModel::of(context.language), context.stop);
    if (!found.found || !context.supports(found.information))
        return std::nullopt;
    const Ciphers::ParamValues params {{QStringLiteral("schluessel"), found.square},
                                       {QStringLiteral("transposition"), word}};
    const QString method = QString::fromLatin1(variant.method);
    return BrokenReading {method, params, found.square + QStringLiteral(", ") + word,
                          Ciphers::findCipher(method)->decode(context.request.text, params),
                          found.information};
}

} // namespace

AdfgxSquareResult searchAdfgxSquare(const QByteArray &pairs, int side, const LanguageModel &model,
                                    const StopCheck &stop)
{
    // The cells the text uses, renumbered 0..k-1: a substitution of at most 26 symbols.
    std::vector<int> symbolOf(size_t(side * side), -1);
    std::vector<int> cellOf;
    QByteArray symbols;
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        const int cell = pairs[i] * side + pairs[i + 1];
        if (symbolOf[size_t(cell)] < 0) {
            if (cellOf.size() == 26)
                return {};
            symbolOf[size_t(cell)] = int(cellOf.size());
            cellOf.push_back(cell);
        }
        symbols.append(char(symbolOf[size_t(cell)]));
    }
    const KeyResult result = searchSubstitutionKey(symbols, model, stop);
    if (result.key.size() < qsizetype(cellOf.size()))
        return {};
    const QString alphabet =
        side == 5 ? QString(Ciphers::kAlphabetNoJ) : QString(Ciphers::kAlphabetAZ09);
    QString square(side * side, QChar());
    QString unused = alphabet;
    for (size_t symbol = 0; symbol < cellOf.size(); ++symbol) {
        QChar letter(u'A' + result.key[qsizetype(symbol)]);
        // The 5×5 square has no J: a cell read as J is the I, or the first letter left over.
        if (!alphabet.contains(letter) || !unused.contains(letter))
            letter = unused.contains(u'I') ? QChar(u'I') : unused.front();
        square[cellOf[symbol]] = letter;
        unused.remove(letter);
    }
    for (QChar &cell : square) {
        if (cell.isNull()) {
            cell = unused.front();
            unused.remove(0, 1);
        }
    }
    double information = 0;
    for (size_t k = 0; k < cellOf.size(); ++k)
        information += std::log10(double(26 - k));
    return {square, information, true};
}

std::vector<BrokenReading> adfgxReadings(const BreakerContext &context)
{
    std::vector<BrokenReading> out;
    const BreakerRequest &request = context.request;
    const bool squareKey = !request.key.trimmed().isEmpty() &&
        request.key.trimmed()
                .split(QRegularExpression(QStringLiteral("[,;/\\s]+")), Qt::SkipEmptyParts)
                .size() == 1;
    const bool transposition = !request.transposition.trimmed().isEmpty();
    if (squareKey == transposition)
        return out; // both known: the keyed decoding reads it; neither: too many keys
    for (const Variant &variant : {kAdfgx, kAdfgvx}) {
        const QString method = QString::fromLatin1(variant.method);
        if (!request.only.isEmpty() && !request.only.contains(method))
            continue;
        const QByteArray digits = variantDigits(request.text, variant);
        if (digits.size() < 2 * kMinSearchLetters)
            continue;
        std::optional<BrokenReading> reading = squareKey
            ? breakTransposition(context, variant, digits)
            : breakSquare(context, variant, digits);
        if (reading)
            out.push_back(std::move(*reading));
        break; // a text of A, D, F, G and X alone is taken as ADFGX
    }
    return out;
}
