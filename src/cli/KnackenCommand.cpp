// The code breaker on the command line: every reading of a cipher text, best first.
#include "cli/CommandTable.h"
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"
#include "logic/language/CipherIdentification.h"
#include "logic/language/CodeBreaker.h"
#include "logic/language/Verdict.h"
#include "logic/language/WordBreaks.h"

#include "logic/language/Letters.h"

#include <QJsonArray>
#include <QJsonObject>

#include <array>
#include <cmath>
#include <memory>

namespace Cli {
namespace {

constexpr int kDefaultCount = 10;

// One candidate on one line: "1. vigenere (KEY): PLAINTEXT"; line breaks of the plain text
// become blanks so every candidate keeps its line.
QString candidateLine(int rank, const Candidate &candidate)
{
    QString plain = candidate.plain;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    plain.replace(u'\n', u' ').replace(u'\r', u' ');
    const QString key =
        candidate.key.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(candidate.key);
    return QStringLiteral("%1. %2%3: %4").arg(rank).arg(candidate.method, key, plain);
}

QJsonObject candidateJson(const Candidate &candidate)
{
    return {{QStringLiteral("verfahren"), candidate.method},
            {QStringLiteral("schluessel"), candidate.key},
            {QStringLiteral("klartext"), candidate.plain},
            {QStringLiteral("bewertung"), std::round(candidate.score * 1000.0) / 1000.0},
            {QStringLiteral("sprache"), languageCode(candidate.language)}};
}

QJsonArray identificationJson(const std::vector<CipherGuess> &guesses)
{
    QJsonArray out;
    for (const CipherGuess &guess : guesses) {
        out.append(QJsonObject {
            {QStringLiteral("familie"), guess.family},
            {QStringLiteral("verfahren"),
             guess.method.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(guess.method)},
            {QStringLiteral("wahrscheinlichkeit"), guess.likelihood},
            {QStringLiteral("gruende"), QJsonArray::fromStringList(guess.reasons)}});
    }
    return out;
}

// "Kein Kandidat ergibt lesbaren Text." and below it each guess: "polyalphabetisch, vigenere
// (62 %): reason; reason".
QString verdictText(const std::vector<CipherGuess> &guesses)
{
    QStringList lines {noReadingText() + u'.'};
    if (!guesses.empty())
        lines.append(QStringLiteral("Vermutlich:"));
    for (const CipherGuess &guess : guesses) {
        lines.append(
            QStringLiteral("  %1%2 (%3 %): %4")
                .arg(guess.family, guess.method.isEmpty() ? QString() : u", "_qs + guess.method)
                .arg(qRound(guess.likelihood * 100))
                .arg(guess.reasons.join(QStringLiteral(" "))));
    }
    lines.append(QStringLiteral("Die besten Versuche, keiner davon lesbar:"));
    return lines.join(u'\n');
}

int candidateCount(const Options &options)
{
    const QString text = options.value(QStringLiteral("count"), QString::number(kDefaultCount));
    const std::optional<int32_t> count = Numbers::tryStrToInt(text);
    if (!count || *count < 1)
        throw UsageError {
            QStringLiteral("Die Anzahl muss eine ganze Zahl ab 1 sein: „%1“").arg(text)};
    return *count;
}

BreakerRequest requestTemplate(const Options &options)
{
    BreakerRequest request;
    const QString language =
        choice(options, QStringLiteral("language"),
               {QStringLiteral("auto"), QStringLiteral("de"), QStringLiteral("en")},
               QStringLiteral("auto"));
    request.language = languageFromCode(language);
    request.key = options.value(QStringLiteral("key"));
    request.crib = options.value(QStringLiteral("crib"));
    if (options.has(QStringLiteral("crib")) && normalizedLetters(request.crib).isEmpty())
        throw UsageError {QStringLiteral("Die Krippe braucht mindestens einen Buchstaben: „%1“")
                              .arg(request.crib)};
    request.chains = options.has(QStringLiteral("chains"));
    request.transposition = options.value(QStringLiteral("transposition"));
    if (options.has(QStringLiteral("only"))) {
        const QStringList known = breakerMethods();
        for (const QString &name :
             options.value(QStringLiteral("only")).split(u',', Qt::SkipEmptyParts)) {
            const QString trimmed = name.trimmed().toLower();
            if (!known.contains(trimmed))
                throw UsageError {QStringLiteral("Unbekanntes Verfahren: „%1“ (bekannt: %2)")
                                      .arg(trimmed, known.join(QStringLiteral(", ")))};
            request.only.append(trimmed);
        }
    }
    return request;
}

// The word lists of both languages, read when a reading of theirs first needs one. A list that
// is missing leaves the readings of its language without blanks and is named once, and only
// when the text reads best in that language (a German text does not need the English list).
class BlankSetter
{
public:
    explicit BlankSetter(const QString &folder)
        : m_lists(folder)
    {
    }

    void apply(std::vector<Candidate> &ranked, int count, ResultSink &sink)
    {
        for (size_t i = 0; i < ranked.size() && int(i) < count; ++i) {
            Candidate &candidate = ranked[i];
            try {
                candidate.plain = insertBlanks(candidate.plain, m_lists.of(candidate.language));
            } catch (const QuarvelError &error) {
                const int at = candidate.language == Language::German ? 0 : 1;
                if (candidate.language == ranked.front().language && !m_warned[at]) {
                    m_warned[at] = true;
                    sink.warn(error.message() +
                              QStringLiteral(" Die Klartexte stehen ohne Leerzeichen."));
                }
            }
        }
    }

private:
    WordLists m_lists;
    std::array<bool, 2> m_warned {};
};

Handler knackenHandler(const Options &options)
{
    const int count = candidateCount(options);
    const BreakerRequest base = requestTemplate(options);
    std::shared_ptr<BlankSetter> blanks;
    if (options.has(QStringLiteral("blanks")) || options.has(QStringLiteral("wordlists")))
        blanks = std::make_shared<BlankSetter>(
            options.value(QStringLiteral("wordlists"), WordList::systemFolder()));
    return [count, base, blanks](const QString &input, ResultSink &sink) {
        BreakerRequest request = base;
        request.text = input;
        std::vector<Candidate> ranked = breakText(request);
        if (blanks && !ranked.empty())
            blanks->apply(ranked, count, sink);
        QJsonArray json;
        QStringList lines;
        for (size_t i = 0; i < ranked.size() && int(i) < count; ++i) {
            json.append(candidateJson(ranked[i]));
            lines.append(candidateLine(int(i) + 1, ranked[i]));
        }
        const bool readable = firstReads(ranked);
        const std::vector<CipherGuess> guesses = identifyCipher(request.text, ranked);
        Result result;
        result.linePerField = true;
        result.fields = {Field {QStringLiteral("lesbar"), {}, readable, {}, Field::Show::JsonOnly},
                         Field {QStringLiteral("erkennung"),
                                {},
                                identificationJson(guesses),
                                verdictText(guesses),
                                readable || request.text.trimmed().isEmpty() ? Field::Show::JsonOnly
                                                                             : Field::Show::Both},
                         Field {QStringLiteral("kandidaten"), {}, json, lines.join(u'\n')}};
        sink.report(result);
    };
}

} // namespace

Command knackenCommand()
{
    return Command {
        {QStringLiteral("knacken"), QStringLiteral("crack")},
        QStringLiteral("einen Geheimtext ohne bekanntes Verfahren entschlüsseln (Code-Knacker)"),
        QStringLiteral("[--sprache auto|de|en] [--schluessel SCHLÜSSEL] [--anzahl N] "
                       "[--nur NAME,...] [--leerzeichen] [--krippe WORT] [--ketten] "
                       "[--transposition WORT] [TEXT ...]"),
        QStringLiteral(
            "Probiert jede schlüssellose Dekodierung (ROT, Atbash, affin, Morse, Bacon, Base64,\n"
            "Zaun, Skytale, ...), mit --schluessel jede Chiffre mit Schlüssel, und bricht\n"
            "Vigenère, Beaufort, Autokey, Gronsfeld, Porta, Playfair, Bifid, Hill 2×2, den\n"
            "Spaltentausch und eine einfache Buchstabenersetzung ohne Schlüssel.\n"
            "Alle Ergebnisse werden danach geordnet, wie deutsch oder englisch sie sich lesen;\n"
            "das beste steht oben. Der unveränderte Text erscheint als „klartext“.\n"
            "Liest sich kein Kandidat, steht „Kein Kandidat ergibt lesbaren Text“ darüber und\n"
            "darunter, welche Verfahren der Text nach seiner Statistik vermutlich ist, mit\n"
            "Gründen (mit --json: „lesbar“ und „erkennung“).\n\n"
            "Beispiel: quarvel-cli knacken \"Qre Fpungm yvrtg hagre qre nygra Rvpur\"\n"
            "  1. rot (13): Der Schatz liegt unter der alten Eiche"),
        {{{QStringLiteral("--sprache")},
          QStringLiteral("language"),
          QStringLiteral("auto|de|en"),
          QStringLiteral("Sprache der Bewertung (Standard: auto, die besser passende)")},
         {{QStringLiteral("--schluessel")},
          QStringLiteral("key"),
          QStringLiteral("SCHLÜSSEL"),
          QStringLiteral("auch die Chiffren mit diesem Schlüssel probieren")},
         {{QStringLiteral("--anzahl")},
          QStringLiteral("count"),
          QStringLiteral("N"),
          QStringLiteral("so viele Kandidaten ausgeben (Standard: 10)")},
         {{QStringLiteral("--nur")},
          QStringLiteral("only"),
          QStringLiteral("NAME,..."),
          QStringLiteral("nur diese Verfahren (Namen wie bei „chiffre --liste“, dazu "
                         "substitution, roemisch, klartext)")},
         {{QStringLiteral("--leerzeichen")},
          QStringLiteral("blanks"),
          {},
          QStringLiteral("Leerzeichen zwischen die Wörter eines Klartexts ohne Leerzeichen setzen "
                         "(Wortlisten der Pakete wngerman, wamerican)")},
         {{QStringLiteral("--wortlisten")},
          QStringLiteral("wordlists"),
          QStringLiteral("ORDNER"),
          QStringLiteral("wie --leerzeichen, mit den Wortlisten „ngerman“ und "
                         "„american-english“ aus ORDNER (Standard: /usr/share/dict)")},
         {{QStringLiteral("--krippe")},
          QStringLiteral("crib"),
          QStringLiteral("WORT"),
          QStringLiteral("ein Wort, das im Klartext vorkommt: Kandidaten mit ihm stehen zuerst")},
         {{QStringLiteral("--ketten")},
          QStringLiteral("chains"),
          {},
          QStringLiteral("auch zwei schlüssellose Schritte nacheinander probieren (z. B. "
                         "base64 → rot); langsamer")},
         {{QStringLiteral("--transposition")},
          QStringLiteral("transposition"),
          QStringLiteral("WORT"),
          QStringLiteral("ADFGX/ADFGVX: das Transpositionswort; das Quadrat wird gesucht (mit "
                         "--schluessel umgekehrt die Transposition)")}},
        InputKind::Line,
        knackenHandler};
}

} // namespace Cli
