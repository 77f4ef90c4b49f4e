#include "BreakerTargets.h"

#include "CodeBreakerTexts.h"

#include "logic/ciphers/CipherRegistry.h"
#include "logic/language/CodeBreaker.h"
#include "logic/language/FortuneText.h"
#include "logic/language/Letters.h"

#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#include <functional>
#include <random>

namespace {

// Words from a random place until the text holds exactly `letters` letters (the last word cut).
QString sampleText(const QStringList &words, int letters, std::mt19937 &random)
{
    QString text;
    int count = 0;
    qsizetype i = random() % words.size();
    while (count < letters) {
        QString word = words[i];
        i = (i + 1) % words.size();
        word.truncate(letters - count);
        text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        count += int(word.size());
    }
    return text;
}

double lettersRight(const QString &found, const QString &expected)
{
    const QString a = normalizedLetters(found);
    const QString b = normalizedLetters(expected);
    int same = 0;
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
        same += a[i] == b[i] ? 1 : 0;
    return b.isEmpty() ? 0 : double(same) / double(b.size());
}

QString randomWord(int length, std::mt19937 &random, bool digits = false)
{
    QString key;
    for (int i = 0; i < length; ++i)
        key.append(digits ? QChar(u'0' + int(random() % 10)) : QChar(u'A' + int(random() % 26)));
    return key;
}

int rounds(int standard)
{
    bool ok = false;
    const int wanted = qEnvironmentVariableIntValue("QUARVEL_BENCH_TRIALS", &ok);
    return ok && wanted > 0 ? wanted : standard;
}

// The parameters of one trial's encryption.
using KeyMaker = std::function<Ciphers::ParamValues(int trial, std::mt19937 &random)>;

// Share of trials whose first reading has at least `needed` of the letters the right key
// decodes (Playfair's X between doubled letters and Hill's padding included).
double rate(const char *method, const KeyMaker &keys, int letters, double needed, int trials,
            const QStringList &german, const QStringList &english, std::mt19937 &random)
{
    const Ciphers::Cipher *cipher = Ciphers::findCipher(QString::fromLatin1(method));
    int good = 0;
    for (int trial = 0; trial < trials; ++trial) {
        const QString plain = sampleText(trial % 2 == 0 ? german : english, letters, random);
        const Ciphers::ParamValues params = keys(trial, random);
        BreakerRequest request;
        request.only = {QString::fromLatin1(method)};
        request.text = cipher->encode(plain, params);
        const QString expected = cipher->decode(request.text, params);
        const std::vector<Candidate> ranked = rankCandidates(searchCandidates(request));
        const bool right =
            !ranked.empty() && lettersRight(ranked.front().plain, expected) >= needed;
        good += right ? 1 : 0;
        if (!right && qEnvironmentVariableIntValue("QUARVEL_BENCH_VERBOSE") != 0)
            std::printf("  %s missed: %s → %s\n", method, qPrintable(expected.left(50)),
                        ranked.empty() ? "" : qPrintable(ranked.front().plain.left(50)));
    }
    return trials == 0 ? 0 : 100.0 * good / trials;
}

void line(const QString &target, double measured, const char *goal)
{
    std::printf("%-62s %6.1f %%   goal %s\n", qPrintable(target), measured, goal);
    std::fflush(stdout);
}

Ciphers::ParamValues squareKey(int, std::mt19937 &random)
{
    return {{QStringLiteral("schluessel"), randomWord(5 + int(random() % 8), random)}};
}

// A column order of `trial % 9 + 2` columns, as a word of distinct letters.
Ciphers::ParamValues columnKey(int trial, std::mt19937 &random)
{
    QString alphabet = QStringLiteral("ABCDEFGHIJKL");
    alphabet.truncate(2 + trial % 9);
    std::shuffle(alphabet.begin(), alphabet.end(), random);
    return {{QStringLiteral("schluessel"), alphabet}};
}

Ciphers::ParamValues hillKey(int, std::mt19937 &random)
{
    for (;;) {
        const int m[4] = {int(random() % 26), int(random() % 26), int(random() % 26),
                          int(random() % 26)};
        const int det = ((m[0] * m[3] - m[1] * m[2]) % 26 + 26) % 26;
        if (det % 2 != 0 && det % 13 != 0) {
            QString key;
            for (const int v : m)
                key.append(QChar(u'A' + v));
            return {{QStringLiteral("schluessel"), key}};
        }
    }
}

} // namespace

void printBreakerTargets()
{
    const QStringList german = heldOutWords(QStringLiteral("/usr/share/games/fortunes/de"));
    const QStringList english = heldOutWords(QStringLiteral("/usr/share/games/fortunes"));
    std::printf("Breaker targets (held-out sayings, half German, half English)\n");
    std::mt19937 random(5151);
    // QUARVEL_BENCH_ONLY=playfair measures one breaker alone while tuning it.
    const QString only = qEnvironmentVariable("QUARVEL_BENCH_ONLY");
    const auto target = [&](const QString &name, const char *method, const KeyMaker &keys,
                            int letters, double needed, int trials, const char *goal) {
        if (!only.isEmpty() && only != QLatin1String(method))
            return;
        line(name, rate(method, keys, letters, needed, rounds(trials), german, english, random),
             goal);
    };
    target(QStringLiteral("playfair, 200 letters: >= 90 % letters right"), "playfair", squareKey,
           200, 0.9, 40, ">= 90 % of trials");
    target(QStringLiteral("playfair, 120 letters: >= 90 % letters right"), "playfair", squareKey,
           120, 0.9, 40, ">= 60 % of trials");
    target(QStringLiteral("columnar transposition, key 2-10, 150 letters: all right"),
           "spaltentausch", columnKey, 150, 1.0, 45, ">= 95 % of trials");
    for (const char *method : {"porta", "gronsfeld"}) {
        const bool digits = QByteArray(method) == "gronsfeld";
        const KeyMaker periodic = [digits](int trial, std::mt19937 &r) {
            return Ciphers::ParamValues {
                {QStringLiteral("schluessel"), randomWord(1 + trial % 12, r, digits)}};
        };
        target(QStringLiteral("%1, key 1-12, 75 letters: >= 95 % letters right").arg(method),
               method, periodic, 75, 0.95, 60, ">= 95 % of trials");
        target(QStringLiteral("%1, key 1-12, 100 letters: >= 95 % letters right").arg(method),
               method, periodic, 100, 0.95, 60, ">= 99 % of trials");
    }
    target(QStringLiteral("hill 2x2, 80 letters: all right"), "hill", hillKey, 80, 1.0, 60,
           ">= 95 % of trials");
    const KeyMaker bifidKey = [](int trial, std::mt19937 &r) {
        Ciphers::ParamValues params = squareKey(trial, r);
        params.insert(QStringLiteral("periode"), QString::number(trial % 2 == 0 ? 0 : 5));
        return params;
    };
    target(QStringLiteral("bifid, period 0 or 5, 200 letters: >= 90 % letters right"), "bifid",
           bifidKey, 200, 0.9, 20, "none (measured only)");
}
