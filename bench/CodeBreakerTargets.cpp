#include "CodeBreakerTargets.h"

#include "CodeBreakerTexts.h"

#include "logic/ciphers/CipherRegistry.h"
#include "logic/common/QuarvelError.h"
#include "logic/language/CodeBreaker.h"
#include "logic/language/FortuneText.h"
#include "logic/language/Letters.h"

#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#include <random>

namespace {

// Upper-case words of written sentences, umlauts spelled out.
QStringList wordsOf(const QStringList &sentences)
{
    QStringList words;
    for (const QString &sentence : sentences) {
        for (const QString &word : sentence.split(QRegularExpression(QStringLiteral("\\s+")))) {
            const QString letters = normalizedLetters(word);
            if (!letters.isEmpty())
                words.append(letters);
        }
    }
    return words;
}

struct Corpus
{
    QStringList german = heldOutWords(QStringLiteral("/usr/share/games/fortunes/de"));
    QStringList english = heldOutWords(QStringLiteral("/usr/share/games/fortunes"));
};

// How many rounds the keyless targets run; QUARVEL_BENCH_ROUNDS lowers it for a quick look while
// tuning (the figures then vary more).
// QUARVEL_BENCH_VERBOSE=1 prints every reading that ranked below another.
bool verbose()
{
    return qEnvironmentVariableIntValue("QUARVEL_BENCH_VERBOSE") != 0;
}

int keylessRounds()
{
    bool ok = false;
    const int rounds = qEnvironmentVariableIntValue("QUARVEL_BENCH_ROUNDS", &ok);
    return ok && rounds > 0 ? rounds : 12;
}

// Words from a random place of the corpus until the text holds `from` to `to` letters; a text
// of exactly `to` letters when from == to (the last word cut).
QString sampleText(const QStringList &words, int from, int to, std::mt19937 &random)
{
    for (;;) {
        qsizetype i = random() % words.size();
        QString text;
        int letters = 0;
        while (letters < from && i < words.size()) {
            QString word = words[i++];
            if (letters + word.size() > to)
                word.truncate(to - letters);
            text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + word;
            letters += int(word.size());
        }
        if (letters >= from)
            return text;
    }
}

// Letters as the decodings give them back: some ciphers merge letters (I=J, U=V, K=C) or case.
QString canonical(const QString &text)
{
    QString letters = normalizedLetters(text);
    letters.replace(u'J', u'I').replace(u'V', u'U').replace(u'K', u'C');
    return letters;
}

double share(int hits, int trials)
{
    return trials == 0 ? 0 : 100.0 * hits / trials;
}

void line(const char *target, double measured, const char *goal)
{
    std::printf("%-58s %6.1f %%   goal %s\n", target, measured, goal);
}

struct Encoding
{
    const char *method;
    Ciphers::ParamValues params;
};

std::vector<Encoding> keylessEncodings(std::mt19937 &random, bool otherSymbols = false)
{
    const int a[] = {1, 3, 5, 7, 9, 11, 15, 17, 19, 21, 23, 25};
    std::vector<Encoding> encodings = {
        {"rot", {{"verschiebung", QString::number(1 + random() % 25)}}},
        {"rot47", {}},
        {"atbash", {}},
        {"affin",
         {{"a", QString::number(a[random() % 12])}, {"b", QString::number(random() % 26)}}},
        {"a1z26", {}},
        {"a1z26", {{"versatz", "0"}}},
        {"polybius", {}},
        {"polybius", {{"quadrat", "6"}}},
        {"bacon", {}},
        {"bacon", {{"26", "1"}}},
        {"morse", {}},
        {"kenny", {}},
        {"klopfcode", {}},
        {"handy", {}},
        {"base64", {}},
        {"base32", {}},
        {"base16", {}},
        {"zeichencode", {}},
        {"zeichencode", {{"system", "hex"}}},
        {"rueckwaerts", {}},
        {"zaun", {{"schienen", QString::number(2 + random() % 9)}}},
        {"skytale", {{"umfang", QString::number(2 + random() % 9)}}},
    };
    if (otherSymbols) {
        // Bacon as puzzles write it with two symbols that are no letters.
        encodings.push_back({"bacon", {{"zeichen", "+k"}}});
        encodings.push_back({"bacon", {{"zeichen", "v<"}, {"26", "1"}}});
    }
    return encodings;
}

// The codes of mystery caches that give letters back, measured on their own line.
std::vector<Encoding> keylessCodes(std::mt19937 &)
{
    return {
        {"base58", {}},
        {"ascii85", {}},
        {"base91", {}},
        {"ita2", {}},
        {"braillepunkte", {}},
        {"buchstabieralphabet", {}},
        {"buchstabieralphabet", {{"alphabet", "din5009"}}},
        {"buchstabieralphabet", {{"alphabet", "din5009alt"}}},
        {"tastatur", {}},
        {"tastatur", {{"von", "qwerty"}, {"nach", "dvorak"}}},
        {"tastatur", {{"von", "azerty"}, {"nach", "qwertz"}}},
    };
}

// The keyless encodings in the letters of the text itself.
std::vector<Encoding> keylessInLetters(std::mt19937 &random)
{
    return keylessEncodings(random);
}

void keylessTargets(const Corpus &corpus,
                    std::vector<Encoding> (*encodings)(std::mt19937 &) = keylessInLetters,
                    const char *what = "keyless")
{
    std::mt19937 random(2718);
    int trials = 0;
    int first = 0;
    int topThree = 0;
    for (int round = 0; round < 30; ++round) {
        for (const Encoding &encoding : encodings(random)) {
            const Ciphers::Cipher *cipher =
                Ciphers::findCipher(QString::fromLatin1(encoding.method));
            if (!cipher)
                continue;
            const QStringList &words = round % 2 == 0 ? corpus.german : corpus.english;
            const QString plain = sampleText(words, 15, 30, random);
            BreakerRequest request;
            request.text = cipher->encode(plain, encoding.params);
            request.only = QStringList {QStringLiteral("klartext")} + breakerMethods();
            request.only.removeAll(QStringLiteral("substitution"));
            const std::vector<Candidate> ranked = rankCandidates(quickCandidates(request));
            ++trials;
            for (size_t i = 0; i < std::min<size_t>(3, ranked.size()); ++i) {
                if (canonical(ranked[i].plain) == canonical(plain)) {
                    first += i == 0 ? 1 : 0;
                    ++topThree;
                    break;
                }
            }
        }
    }
    line(qPrintable(QStringLiteral("%1, 15-30 letters: right plain text first").arg(what)),
         share(first, trials), ">= 95 %");
    line(qPrintable(QStringLiteral("%1, 15-30 letters: among the first three").arg(what)),
         share(topThree, trials), ">= 99 %");
}

struct Tally
{
    int trials = 0;
    int first = 0;
    int topThree = 0;
};

// Every keyless encoding of 15-30 letters of the given words, read by the whole code breaker:
// the keyless decodings and the searches without key compete for the first places.
Tally keylessWithSearches(const QStringList &german, const QStringList &english, int rounds,
                          std::mt19937 &random)
{
    Tally tally;
    for (int round = 0; round < rounds; ++round) {
        for (const Encoding &encoding : keylessEncodings(random, true)) {
            const Ciphers::Cipher *cipher =
                Ciphers::findCipher(QString::fromLatin1(encoding.method));
            if (!cipher)
                continue;
            const QString plain = sampleText(round % 2 == 0 ? german : english, 15, 30, random);
            BreakerRequest request;
            request.text = cipher->encode(plain, encoding.params);
            const std::vector<Candidate> ranked = breakText(request);
            ++tally.trials;
            size_t rank = ranked.size();
            for (size_t i = 0; i < ranked.size() && rank == ranked.size(); ++i)
                rank = canonical(ranked[i].plain) == canonical(plain) ? i : rank;
            tally.first += rank == 0 ? 1 : 0;
            tally.topThree += rank < 3 ? 1 : 0;
            if (rank != 0 && verbose()) {
                // What beat the right reading, for tuning.
                std::printf("  %s %s: \"%s\" rank %lld, first %s [%s] %.3f \"%s\"\n",
                            encoding.method, qPrintable(request.text.left(40)), qPrintable(plain),
                            (long long)rank + 1, qPrintable(ranked.front().method),
                            qPrintable(ranked.front().key), ranked.front().score,
                            qPrintable(ranked.front().plain.left(40)));
                if (rank < ranked.size())
                    std::printf("      right %s %.3f\n", qPrintable(ranked[rank].method),
                                ranked[rank].score);
            }
        }
    }
    return tally;
}

} // namespace

void printKeylessTargetsEveryKind()
{
    const Corpus corpus;
    std::mt19937 random(1618);
    const int rounds = keylessRounds();
    Tally all;
    const auto report = [&](const QString &kind, const Tally &tally) {
        line(qPrintable(QStringLiteral("%1, 15-30 letters, with searches: first").arg(kind)),
             share(tally.first, tally.trials), ">= 95 %");
        line(qPrintable(QStringLiteral("%1, 15-30 letters, with searches: top three").arg(kind)),
             share(tally.topThree, tally.trials), ">= 99 %");
        all.trials += tally.trials;
        all.first += tally.first;
        all.topThree += tally.topThree;
    };
    report(QStringLiteral("sayings"),
           keylessWithSearches(corpus.german, corpus.english, rounds, random));
    for (const TextKind &kind : otherTextKinds())
        report(kind.name,
               keylessWithSearches(wordsOf(kind.german), wordsOf(kind.english), rounds, random));
    line("every kind, 15-30 letters, with searches: first", share(all.first, all.trials),
         ">= 95 %");
    line("every kind, 15-30 letters, with searches: top three", share(all.topThree, all.trials),
         ">= 99 %");
}

namespace {

void languageTarget(const Corpus &corpus)
{
    std::mt19937 random(31415);
    int right = 0;
    const int trials = 1000;
    for (int i = 0; i < trials; ++i) {
        const bool german = i % 2 == 0;
        const QString text = sampleText(german ? corpus.german : corpus.english, 20, 20, random);
        right += (guessLanguage(text) == Language::German) == german ? 1 : 0;
    }
    line("language told apart, 20 letters", share(right, trials), ">= 95 %");
}

double lettersRight(const QString &found, const QString &plain)
{
    const QString a = normalizedLetters(found);
    const QString b = normalizedLetters(plain);
    int same = 0;
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
        same += a[i] == b[i] ? 1 : 0;
    return b.isEmpty() ? 0 : double(same) / double(b.size());
}

QString randomKey(int length, std::mt19937 &random)
{
    QString key;
    for (int i = 0; i < length; ++i)
        key.append(QChar(u'A' + int(random() % 26)));
    return key;
}

// Share of trials whose best candidate has at least `needed` of the letters right.
double searchRate(const Corpus &corpus, const char *method, int letters, double needed, int trials,
                  std::mt19937 &random)
{
    int good = 0;
    const Ciphers::Cipher *cipher = Ciphers::findCipher(QString::fromLatin1(method));
    for (int trial = 0; trial < trials; ++trial) {
        const QString plain =
            sampleText(trial % 2 == 0 ? corpus.german : corpus.english, letters, letters, random);
        BreakerRequest request;
        request.only = {QString::fromLatin1(method)};
        if (cipher) {
            const int keyLength = 1 + trial % 12;
            request.text = cipher->encode(plain, {{"schluessel", randomKey(keyLength, random)}});
        } else {
            QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
            std::shuffle(alphabet.begin(), alphabet.end(), random);
            request.text = plain;
            for (QChar &ch : request.text)
                if (ch >= u'A' && ch <= u'Z')
                    ch = alphabet[ch.unicode() - u'A'];
        }
        const std::vector<Candidate> ranked = rankCandidates(searchCandidates(request));
        good += !ranked.empty() && lettersRight(ranked.front().plain, plain) >= needed ? 1 : 0;
    }
    return share(good, trials);
}

} // namespace

void printCodeBreakerTargets()
{
    const Corpus corpus;
    std::printf("Code breaker targets (held-out sayings: %lld German, %lld English words)\n",
                (long long)corpus.german.size(), (long long)corpus.english.size());
    keylessTargets(corpus);
    keylessTargets(corpus, keylessCodes, "keyless codes");
    languageTarget(corpus);
    std::mt19937 random(1414);
    for (const char *method : {"vigenere", "beaufort", "autokey"}) {
        line(qPrintable(QStringLiteral("%1, key 1-12, 75 letters: >= 95 % letters right")
                            .arg(QString::fromLatin1(method))),
             searchRate(corpus, method, 75, 0.95, 120, random), ">= 95 % of trials");
        line(qPrintable(QStringLiteral("%1, key 1-12, 100 letters: >= 95 % letters right")
                            .arg(QString::fromLatin1(method))),
             searchRate(corpus, method, 100, 0.95, 120, random), ">= 99 % of trials");
    }
    line("substitution, 100 letters: >= 90 % letters right",
         searchRate(corpus, "substitution", 100, 0.90, 100, random), ">= 90 % of trials");
    line("substitution, 150 letters: >= 90 % letters right",
         searchRate(corpus, "substitution", 150, 0.90, 100, random), ">= 98 % of trials");
}
