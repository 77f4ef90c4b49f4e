// The candidates that need no search: the text itself, the keyless decodings and the decodings
// with the user's key. Every decoding is the registry's; this file only chooses the parameters.

#include "CodeBreaker.h"

#include "logic/common/QuarvelError.h"
#include "logic/tools/hfunctions.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cstring>

namespace {

using Ciphers::ParamValues;

constexpr double kProseScore = -3.5;

struct Trial
{
    QString method;
    ParamValues params;
};

QString number(int n)
{
    return QString::number(n);
}

void addRange(std::vector<Trial> &trials, const QString &method, const QString &param, int from,
              int to)
{
    for (int n = from; n <= to; ++n)
        trials.push_back({method, {{param, number(n)}}});
}

// Bacon texts are written in any two symbols ("AABBA", "..--.", "0110", "+k+kk", "v<v<<"), often
// with a separator between the groups. Every pair of the three most frequent symbols other than
// blanks (letters apart from case) that together make up most of the text may be its alphabet;
// the decoding refuses the pairs that are not.
constexpr int kBaconSymbolsTried = 3;

QStringList baconAlphabets(const QString &text)
{
    QHash<QChar, int> counts;
    int total = 0;
    for (const QChar ch : text) {
        if (!ch.isSpace()) {
            ++counts[ch.toUpper()];
            ++total;
        }
    }
    std::vector<std::pair<int, QChar>> byCount;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        byCount.emplace_back(-it.value(), it.key()); // most frequent first, then by character
    std::sort(byCount.begin(), byCount.end());
    const size_t tried = std::min<size_t>(byCount.size(), kBaconSymbolsTried);
    QStringList alphabets;
    for (size_t i = 0; i < tried; ++i) {
        for (size_t j = i + 1; j < tried; ++j) {
            const int covered = -(byCount[i].first + byCount[j].first);
            if (covered < 5 || covered * 3 < total * 2)
                continue;
            const QChar a = std::min(byCount[i].second, byCount[j].second);
            const QChar b = std::max(byCount[i].second, byCount[j].second);
            alphabets.append(QString(a) + b);
            alphabets.append(QString(b) + a);
        }
    }
    return alphabets;
}

void addBaconTrials(std::vector<Trial> &trials, const QString &text)
{
    for (const QString &zeichen : baconAlphabets(text)) {
        trials.push_back({QStringLiteral("bacon"), {{QStringLiteral("zeichen"), zeichen}}});
        trials.push_back({QStringLiteral("bacon"),
                          {{QStringLiteral("zeichen"), zeichen}, {QStringLiteral("26"), u"1"_qs}}});
    }
}

// Whether the taps of a tap-code text differ anywhere: when every group has the same number of
// dots (". . . .", "... ... ..."), the reading is one letter over and over, which a row of full
// stops gives as well and which no message is.
bool tapsDiffer(const QString &text)
{
    qsizetype first = -1;
    qsizetype run = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text.at(i) == u'.') {
            ++run;
            continue;
        }
        if (run > 0) {
            if (first >= 0 && run != first)
                return true;
            first = run;
            run = 0;
        }
    }
    // Tap code written in digits ("11 23") is left to the decoder.
    return first < 0;
}

void addChoices(std::vector<Trial> &trials, const char *method, const char *param,
                std::initializer_list<const char *> choices)
{
    for (const char *choice : choices)
        trials.push_back({QString::fromLatin1(method),
                          {{QString::fromLatin1(param), QString::fromUtf8(choice)}}});
}

// Whether letters make up at least half of the text's other characters than blanks: a text
// typed on the wrong keyboard is mostly letters, while Morse or tap code would only turn into
// letters by the shift and crowd out their own reading.
bool mostlyLetters(const QString &text)
{
    qsizetype letters = 0;
    qsizetype others = 0;
    for (const QChar ch : text) {
        if (ch.isLetter())
            ++letters;
        else if (!ch.isSpace())
            ++others;
    }
    return letters > 0 && letters >= others;
}

// The codes that need no key, each variant once; every keyboard read as every other.
void addCodeTrials(std::vector<Trial> &trials, const QString &text)
{
    for (const char *name : {"base58", "ascii85", "z85", "base91", "gray", "ita2", "elemente",
                             "beghilos", "segment", "braillepunkte"})
        trials.push_back({QString::fromLatin1(name), {}});
    addChoices(trials, "bcd", "variante",
               {"8421", "aiken", "exzess3", "2aus5", "libaw-craig", "stibitz"});
    addChoices(trials, "buchstabieralphabet", "alphabet", {"nato", "din5009", "din5009alt"});
    addChoices(trials, "zahlwoerter", "sprache", {"de", "en", "fr", "nl"});
    if (!mostlyLetters(text))
        return;
    const char *layouts[] = {"qwertz", "qwerty", "azerty", "dvorak"};
    for (const char *from : layouts) {
        for (const char *to : layouts) {
            if (std::strcmp(from, to) != 0)
                trials.push_back({QStringLiteral("tastatur"),
                                  {{QStringLiteral("von"), QString::fromLatin1(from)},
                                   {QStringLiteral("nach"), QString::fromLatin1(to)}}});
        }
    }
}

std::vector<Trial> keylessTrials(const QString &text)
{
    std::vector<Trial> trials;
    addRange(trials, QStringLiteral("rot"), QStringLiteral("verschiebung"), 1, 25);
    trials.push_back({QStringLiteral("rot47"), {}});
    trials.push_back({QStringLiteral("atbash"), {}});
    for (int a : {1, 3, 5, 7, 9, 11, 15, 17, 19, 21, 23, 25}) {
        for (int b = 0; b < 26; ++b)
            trials.push_back(
                {QStringLiteral("affin"), {{u"a"_qs, number(a)}, {u"b"_qs, number(b)}}});
    }
    addRange(trials, QStringLiteral("a1z26"), QStringLiteral("versatz"), 0, 1);
    trials.push_back({QStringLiteral("polybius"), {}});
    trials.push_back({QStringLiteral("polybius"), {{QStringLiteral("quadrat"), u"6"_qs}}});
    addBaconTrials(trials, text);
    const bool taps = tapsDiffer(text);
    for (const char *name :
         {"morse", "kenny", "klopfcode", "handy", "base64", "base32", "base16"}) {
        if (taps || std::strcmp(name, "klopfcode") != 0)
            trials.push_back({QString::fromLatin1(name), {}});
    }
    for (const char *system : {"dez", "hex", "bin", "okt"})
        trials.push_back({QStringLiteral("zeichencode"),
                          {{QStringLiteral("system"), QString::fromLatin1(system)}}});
    trials.push_back({QStringLiteral("fermilab"), {}});
    trials.push_back({QStringLiteral("rueckwaerts"), {}});
    addRange(trials, QStringLiteral("zaun"), QStringLiteral("schienen"), 2, 10);
    addRange(trials, QStringLiteral("skytale"), QStringLiteral("umfang"), 2, 10);
    addCodeTrials(trials, text);
    return trials;
}

// Every cipher that takes a key word, with the user's key; ADFGX/ADFGVX also split "KEY,TRANS"
// (or "KEY TRANS") into the square's key and the transposition.
std::vector<Trial> keyedTrials(const QString &key)
{
    std::vector<Trial> trials;
    const QString word = QStringLiteral("schluessel");
    const QStringList parts =
        key.split(QRegularExpression(QStringLiteral("[,;/\\s]+")), Qt::SkipEmptyParts);
    for (const Ciphers::Cipher &cipher : Ciphers::cipherRegistry()) {
        if (!cipher.param(word))
            continue;
        const bool twoKeys = cipher.param(QStringLiteral("transposition")) != nullptr;
        if (twoKeys && parts.size() == 2) {
            trials.push_back(
                {cipher.cliName, {{word, parts[0]}, {QStringLiteral("transposition"), parts[1]}}});
        } else if (twoKeys) {
            trials.push_back(
                {cipher.cliName, {{word, key}, {QStringLiteral("transposition"), key}}});
        } else {
            trials.push_back({cipher.cliName, {{word, key}}});
        }
        if (cipher.cliName == u"polybius")
            trials.push_back({cipher.cliName, {{word, key}, {QStringLiteral("quadrat"), u"6"_qs}}});
    }
    return trials;
}

// The numbers of a text made of Roman numerals only ("MMXXIV", "XII IV"), each written the
// canonical way; empty for any other text.
QString romanReading(const QString &text)
{
    const QStringList words =
        text.split(QRegularExpression(QStringLiteral("[\\s,.;/-]+")), Qt::SkipEmptyParts);
    static const QRegularExpression roman(QStringLiteral("^[IVXLCDM]+$"),
                                          QRegularExpression::CaseInsensitiveOption);
    QStringList numbers;
    for (const QString &word : words) {
        if (word.size() > 20 || !roman.match(word).hasMatch())
            return {};
        const qint64 value = hfunctions::Roem2Dez(word.toUpper());
        if (value <= 0 || hfunctions::Dez2Roem(int32_t(value)) != word.toUpper())
            return {};
        numbers.append(QString::number(value));
    }
    return numbers.join(u' ');
}

bool wanted(const BreakerRequest &request, const QString &method)
{
    return request.only.isEmpty() || request.only.contains(method);
}

Candidate scored(const QString &method, const ParamValues &params, const QString &plain,
                 const BreakerRequest &request)
{
    const LanguageScore score = scoreText(plain, request.language);
    return {method,
            params,
            keyText(method, params),
            plain,
            readingScore(score.score, plain, score.language),
            score.language};
}

void runTrials(const std::vector<Trial> &trials, const BreakerRequest &request,
               std::vector<Candidate> &out)
{
    for (const Trial &trial : trials) {
        const Ciphers::Cipher *cipher = Ciphers::findCipher(trial.method);
        if (!cipher || !wanted(request, trial.method))
            continue;
        try {
            const QString plain = cipher->decode(request.text, trial.params);
            if (plain != request.text && !plain.trimmed().isEmpty())
                out.push_back(scored(trial.method, trial.params, plain, request));
        } catch (const QuarvelError &) {
            // Not written in this cipher: no candidate.
        }
    }
}

} // namespace

std::vector<Candidate> quickCandidates(const BreakerRequest &request)
{
    checkRequest(request);
    std::vector<Candidate> out;
    if (request.text.trimmed().isEmpty())
        return out;
    if (wanted(request, QStringLiteral("klartext")))
        out.push_back(scored(QStringLiteral("klartext"), {}, request.text, request));
    runTrials(keylessTrials(request.text), request, out);
    const QString roman = romanReading(request.text);
    if (!roman.isEmpty() && wanted(request, QStringLiteral("roemisch"))) {
        // The model cannot judge digits; a text that is nothing but canonical Roman numerals
        // almost surely means its numbers, so the reading scores as ordinary prose would.
        Candidate reading = scored(QStringLiteral("roemisch"), {}, roman, request);
        reading.score = kProseScore;
        out.push_back(reading);
    }
    if (!request.key.trimmed().isEmpty())
        runTrials(keyedTrials(request.key.trimmed()), request, out);
    return out;
}
