// Every cipher of the registry on 1 MB of text, both ways. Goal: each under 50 ms; the ciphers
// that only swap one letter for another (the ROT-like ones) within 5 times a plain copy of the
// same text, measured in the same run. The counters print the figure beside its goal.
#include "logic/ciphers/CipherRegistry.h"
#include "logic/common/QuarvelError.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>

namespace {

constexpr qsizetype kMegabyte = 1 << 20;

QString sampleText(const QString &alphabet)
{
    std::mt19937 engine(42);
    std::uniform_int_distribution<int> pick(0, int(alphabet.size()) - 1);
    QString text(kMegabyte, Qt::Uninitialized);
    for (QChar &c : text)
        c = alphabet.at(pick(engine));
    return text;
}

const QString kGerman =
    QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ     äöüß.,0123\n");

// What each code can write down: numbers for the number codes, its own symbols for the others.
QString benchText(const QString &cliName)
{
    if (cliName == u"gray")
        return QStringLiteral("4711 815 65535 1 ").repeated(kMegabyte / 17);
    if (cliName == u"bcd" || cliName == u"zahlwoerter")
        return sampleText(QStringLiteral("0123456789 "));
    if (cliName == u"elemente")
        return QStringLiteral("6 8 26 92 118 1 ").repeated(kMegabyte / 16);
    if (cliName == u"beghilos")
        return sampleText(QStringLiteral("BEGhILOS 0."));
    if (cliName == u"segment")
        return sampleText(QStringLiteral("0123456789AbCdEFHJLPU -"));
    if (cliName == u"braillepunkte")
        return sampleText(QStringLiteral("abcdefghijklmnopqrstuvwxyzÄÖÜäöüß "));
    if (cliName == u"t9")
        return sampleText(QStringLiteral("abcdefghijklmnopqrstuvwxyzäöüß    "));
    if (cliName == u"ita2" || cliName == u"buchstabieralphabet" || cliName == u"z85")
        return sampleText(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ "
                                         "0123456789"));
    return sampleText(kGerman);
}

bool rotLike(const QString &cliName)
{
    static const QStringList names = {QStringLiteral("atbash"),    QStringLiteral("affin"),
                                      QStringLiteral("beaufort"),  QStringLiteral("autokey"),
                                      QStringLiteral("gronsfeld"), QStringLiteral("rot"),
                                      QStringLiteral("rot5"),      QStringLiteral("rot18"),
                                      QStringLiteral("rot47"),     QStringLiteral("vigenere")};
    return names.contains(cliName);
}

// A word list of every word of two to five letters from a few letters, for T9 to look up.
QString benchWordLists()
{
    static QTemporaryDir dir;
    QFile list(dir.filePath(QStringLiteral("ngerman")));
    if (!list.exists() && list.open(QIODevice::WriteOnly)) {
        const QString letters = QStringLiteral("aeinrst");
        QStringList words = {QString()};
        for (int length = 1; length <= 5; ++length) {
            QStringList longer;
            for (const QString &word : words)
                for (const QChar c : letters)
                    longer.append(word + c);
            for (const QString &word : longer)
                if (length >= 2)
                    list.write((word + u'\n').toUtf8());
            words = longer;
        }
    }
    return dir.path();
}

Ciphers::ParamValues benchParams(const QString &cliName)
{
    if (cliName == u"t9")
        return {{QStringLiteral("wortlisten"), benchWordLists()}};
    if (cliName == u"buchcode")
        return {{QStringLiteral("text"), kGerman.repeated(100)},
                {QStringLiteral("schema"), QStringLiteral("buchstabe")},
                {QStringLiteral("leerzeichen"), QStringLiteral("1")},
                {QStringLiteral("satzzeichen"), QStringLiteral("1")}};
    if (cliName == u"adfgx" || cliName == u"adfgvx")
        return {{QStringLiteral("schluessel"), QStringLiteral("GEOCACHING")},
                {QStringLiteral("transposition"), QStringLiteral("CACHE")}};
    if (cliName == u"hill")
        return {{QStringLiteral("schluessel"), QStringLiteral("GYBNQKURP")}};
    if (cliName == u"gronsfeld" || cliName == u"amsco")
        return {{QStringLiteral("schluessel"), QStringLiteral("2026")}};
    if (cliName == u"nihilist")
        return {{QStringLiteral("schluessel"), QStringLiteral("GEOCACHING")},
                {QStringLiteral("zusatz"), QStringLiteral("CACHE")}};
    if (cliName == u"morbit")
        return {{QStringLiteral("schluessel"), QStringLiteral("WISECRACK")}};
    if (cliName == u"enigma")
        return {{QStringLiteral("modell"), QStringLiteral("M4")},
                {QStringLiteral("walzen"), QStringLiteral("Beta II IV I")},
                {QStringLiteral("stecker"), QStringLiteral("AT BL DF GJ HM NW OP QY RZ VX")},
                {QStringLiteral("ringe"), QStringLiteral("AAAV")},
                {QStringLiteral("start"), QStringLiteral("VJNA")}};
    return {{QStringLiteral("schluessel"), QStringLiteral("GEOCACHING")}};
}

// The seconds a deep copy of `text` takes, the floor for any cipher that writes a new text.
double copySeconds(const QString &text)
{
    double best = 1e9;
    for (int i = 0; i < 20; ++i) {
        const auto start = std::chrono::steady_clock::now();
        QString copy(text.constData(), text.size());
        benchmark::DoNotOptimize(copy.data());
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void runCipher(benchmark::State &state, const Ciphers::Cipher *cipher, bool decode)
{
    const Ciphers::ParamValues params = benchParams(cipher->cliName);
    const QString plain = benchText(cipher->cliName);
    // Decoding reads a megabyte of the cipher's own output.
    QString input = plain;
    if (decode) {
        const QString coded = cipher->encode(plain, params);
        input = coded.size() >= kMegabyte ? coded.left(kMegabyte) : coded;
        while (input.size() < kMegabyte)
            input += coded.left(kMegabyte - input.size());
        try {
            cipher->decode(input, params);
        } catch (const QuarvelError &) {
            input = coded; // a cut group would be refused: decode the whole output instead
        }
    }
    const double copy = copySeconds(input);
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(decode ? cipher->decode(input, params)
                                        : cipher->encode(input, params));
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    const double mean = total / double(state.iterations());
    state.counters["ms"] = mean * 1000;
    state.counters["goal_ms"] = cipher->cliName == u"enigma" ? 100 : 50;
    state.counters["input_chars"] = double(input.size());
    if (rotLike(cipher->cliName)) {
        state.counters["x_copy"] = mean / copy;
        state.counters["goal_x_copy"] = 5;
    }
}

[[maybe_unused]] const bool kRegistered = [] {
    for (const Ciphers::Cipher &cipher : Ciphers::cipherRegistry()) {
        for (const bool decode : {false, true}) {
            const std::string name =
                "BM_Cipher/" + cipher.cliName.toStdString() + (decode ? "/decode" : "/encode");
            benchmark::RegisterBenchmark(name.c_str(), runCipher, &cipher, decode)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

} // namespace
