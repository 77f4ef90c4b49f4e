// The candidates that need no search: the text itself, the keyless decodings and the decodings
// with the user's key. Every decoding is the registry's; this file only chooses the parameters.

#include "CodeBreaker.h"

#include "logic/common/QuarvelError.h"
#include "logic/tools/hfunctions.h"

#include <QHash>
#include <QRegularExpression>

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

// The two most frequent symbols other than blanks, when together they make up the text: the
// alphabet a Bacon text is written in ("AABBA", "..--.", "0110").
QString baconSymbols(const QString &text)
{
    QHash<QChar, int> counts;
    int total = 0;
    for (const QChar ch : text) {
        if (!ch.isSpace()) {
            ++counts[ch];
            ++total;
        }
    }
    if (counts.size() < 2 || total < 5)
        return {};
    QChar first;
    QChar second;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (first.isNull() || it.value() > counts[first] ||
            (it.value() == counts[first] && it.key() < first)) {
            second = first;
            first = it.key();
        } else if (second.isNull() || it.value() > counts[second] ||
                   (it.value() == counts[second] && it.key() < second)) {
            second = it.key();
        }
    }
    if ((counts[first] + counts[second]) * 10 < total * 9)
        return {};
    return first < second ? QString(first) + second : QString(second) + first;
}

void addBaconTrials(std::vector<Trial> &trials, const QString &text)
{
    const QString symbols = baconSymbols(text);
    if (symbols.isEmpty())
        return;
    const QString swapped = QString(symbols[1]) + symbols[0];
    for (const QString &zeichen : {symbols, swapped}) {
        trials.push_back({QStringLiteral("bacon"), {{QStringLiteral("zeichen"), zeichen}}});
        trials.push_back({QStringLiteral("bacon"),
                          {{QStringLiteral("zeichen"), zeichen}, {QStringLiteral("26"), u"1"_qs}}});
    }
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
    for (const char *name : {"morse", "kenny", "klopfcode", "handy", "base64", "base32", "base16"})
        trials.push_back({QString::fromLatin1(name), {}});
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
    return {method, params, keyText(method, params), plain, score.score, score.language};
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
