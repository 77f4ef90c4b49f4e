#include "BreakerReadings.h"

#include "Breakers.h"
#include "QuadgramTables.h"

#include "logic/common/QuarvelError.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// How long the square searches run. Playfair: annealing runs of kPlayfairSteps, about
// (kPlayfairRunLetters / letters)² of them (a shorter text condenses more rarely, and its steps
// are cheaper), at a temperature that grows with the text; Bifid: a short run for every period,
// then the two that read best in full.
constexpr int kPlayfairSteps = 150000;
constexpr double kPlayfairRunLetters = 950;
constexpr int kPlayfairFewestRuns = 8;
constexpr int kPlayfairMostRuns = 40;
// The Playfair temperature in decades of quadgram score: this much, plus the next per letter.
constexpr double kPlayfairHeat = 1.8;
constexpr double kPlayfairHeatPerLetter = 0.027;
constexpr SquarePlan kBifidScreenPlan {6000, 1};
constexpr SquarePlan kBifidPlan {40000, 2};
constexpr int kBifidPeriodsInFull = 2;
// Restarts of the column search: a few more for each column, as wider orders have more valleys.
constexpr int kTranspositionRestarts = 4;
// The transposition is searched on texts of at most this many characters (without blanks).
constexpr qsizetype kLongestTransposition = 1000;

double factorialDecades(int n)
{
    return std::lgamma(double(n) + 1.0) / std::log(10.0);
}

// A square's information: 25! orders, of which the 25 turns of rows and columns are one key to
// Playfair (and nearly to Bifid).
double squareInformation()
{
    return factorialDecades(25) - std::log10(25.0);
}

bool wanted(const BreakerContext &context, const char *method)
{
    return context.request.only.isEmpty() ||
        context.request.only.contains(QString::fromLatin1(method));
}

// The registry's own decoding of the text with the key found; none when the registry refuses it.
std::optional<BrokenReading> reading(const BreakerContext &context, const char *method,
                                     const Ciphers::ParamValues &params, double information)
{
    const QString name = QString::fromLatin1(method);
    const Ciphers::Cipher *cipher = Ciphers::findCipher(name);
    try {
        return BrokenReading {name, params, keyText(name, params),
                              cipher->decode(context.request.text, params), information};
    } catch (const QuarvelError &) {
        return std::nullopt;
    }
}

SquarePlan playfairPlan(qsizetype letters)
{
    const double n = double(std::max<qsizetype>(letters, 1));
    const double share = kPlayfairRunLetters / n;
    const int runs = int(std::clamp(std::round(share * share), double(kPlayfairFewestRuns),
                                    double(kPlayfairMostRuns)));
    return {kPlayfairSteps, runs, (kPlayfairHeat + kPlayfairHeatPerLetter * n) / n};
}

std::optional<BrokenReading> breakPlayfair(const BreakerContext &context,
                                           const LanguageModel &model)
{
    if (!wanted(context, "playfair") || !playfairShaped(context.cipher) ||
        !context.supports(squareInformation()) || (context.playfairRead && *context.playfairRead))
        return std::nullopt;
    const SquareResult found = searchPlayfairSquare(
        context.cipher, model, playfairPlan(context.cipher.size()), context.stop);
    if (found.reads && context.playfairRead && context.confirms &&
        context.confirms(squareInformation()))
        *context.playfairRead = true;
    return reading(context, "playfair", {{QStringLiteral("schluessel"), squareText(found.square)}},
                   squareInformation());
}

std::optional<BrokenReading> breakBifid(const BreakerContext &context, const LanguageModel &model)
{
    const double information = squareInformation() + 1.0; // one of ten periods
    if (!wanted(context, "bifid") || context.cipher.contains(kLetterJ) ||
        !context.supports(information))
        return std::nullopt;
    std::vector<std::pair<long long, int>> screened;
    for (int period = 0; period <= 10; ++period) {
        if (period == 1 || period >= context.cipher.size())
            continue;
        screened.emplace_back(
            searchBifidSquare(context.cipher, period, model, kBifidScreenPlan, context.stop).cost,
            period);
    }
    std::stable_sort(screened.begin(), screened.end());
    SquareResult best;
    int bestPeriod = -1;
    for (int i = 0; i < kBifidPeriodsInFull && i < int(screened.size()); ++i) {
        const int period = screened[size_t(i)].second;
        const SquareResult found =
            searchBifidSquare(context.cipher, period, model, kBifidPlan, context.stop);
        if (bestPeriod < 0 || found.cost < best.cost) {
            best = found;
            bestPeriod = period;
        }
    }
    if (bestPeriod < 0)
        return std::nullopt;
    return reading(context, "bifid",
                   {{QStringLiteral("schluessel"), squareText(best.square)},
                    {QStringLiteral("periode"), QString::number(bestPeriod)}},
                   information);
}

std::optional<BrokenReading> breakHill(const BreakerContext &context, const LanguageModel &model)
{
    const double information = std::log10(157248.0); // the invertible 2×2 matrices mod 26
    if (!wanted(context, "hill") || context.cipher.size() % 2 != 0 ||
        !context.supports(information))
        return std::nullopt;
    const HillResult found = searchHill2(context.cipher, model);
    if (!found.found)
        return std::nullopt;
    QString key;
    for (const int value : invertHill2(found.decryption))
        key.append(QChar(u'A' + value));
    return reading(context, "hill", {{QStringLiteral("schluessel"), key}}, information);
}

// The characters a columnar transposition moves (all but white space) as letters 0..25 and 26
// for any other.
QByteArray transposedSymbols(const QString &text)
{
    QByteArray symbols;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (ch.isSpace())
            continue;
        if (c >= u'A' && c <= u'Z')
            symbols.append(char(c - u'A'));
        else if (c >= u'a' && c <= u'z')
            symbols.append(char(c - u'a'));
        else
            symbols.append(char(26));
    }
    return symbols;
}

std::optional<BrokenReading> breakColumns(const BreakerContext &context, const LanguageModel &model)
{
    if (!wanted(context, "spaltentausch") || !keepsLetterFrequencies(context.cipher, model))
        return std::nullopt;
    const QByteArray symbols = transposedSymbols(context.request.text);
    if (symbols.size() > kLongestTransposition)
        return std::nullopt;
    const bool others = symbols.contains(char(26));
    const OrderCost cost = [&](const QByteArray &plain) {
        if (!others)
            return model.streamCost(plain.constData(), plain.size());
        QByteArray letters = plain;
        letters.removeIf([](char c) { return c == 26; });
        return model.streamCost(letters.constData(), letters.size());
    };
    OrderResult best;
    double bestMerit = 0;
    int bestWidth = 0;
    for (int width = 2; width <= kMaxColumns && width <= symbols.size() / 2; ++width) {
        const double information = factorialDecades(width);
        if (!context.supports(information) || (context.stop && context.stop()))
            continue;
        OrderResult found =
            searchColumnOrder(symbols, width, cost, kTranspositionRestarts + width, context.stop);
        // A wider key fits any text a little better: each decade of it must pay for itself.
        const double merit = double(found.cost) + information * QuadgramTables::kStep;
        if (bestWidth == 0 || merit < bestMerit) {
            best = std::move(found);
            bestMerit = merit;
            bestWidth = width;
        }
    }
    if (bestWidth == 0)
        return std::nullopt;
    return reading(context, "spaltentausch",
                   {{QStringLiteral("schluessel"), orderKeyWord(best.order)}},
                   factorialDecades(bestWidth));
}

} // namespace

std::vector<BrokenReading> keylessBreakerReadings(const BreakerContext &context)
{
    std::vector<BrokenReading> out;
    const LanguageModel &model = LanguageModel::of(context.language);
    const auto add = [&](std::optional<BrokenReading> found) {
        if (found)
            out.push_back(std::move(*found));
        if (context.stepDone)
            context.stepDone();
    };
    const bool letters = context.letterCipher;
    const auto stopped = [&] { return context.stop && context.stop(); };
    add(letters && !stopped() ? breakColumns(context, model) : std::nullopt);
    add(letters && !stopped() ? breakHill(context, model) : std::nullopt);
    add(letters && !stopped() ? breakPlayfair(context, model) : std::nullopt);
    add(letters && !stopped() ? breakBifid(context, model) : std::nullopt);
    std::vector<BrokenReading> adfgx =
        stopped() ? std::vector<BrokenReading>() : adfgxReadings(context);
    for (BrokenReading &found : adfgx)
        out.push_back(std::move(found));
    if (context.stepDone)
        context.stepDone();
    return out;
}
