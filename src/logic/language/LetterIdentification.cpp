// The identification of a text written in letters: coincidence, frequencies, period, pairs.
#include "IdentificationEvidence.h"
#include "Letters.h"
#include "TextStatistics.h"

#include <QRegularExpression>

#include <QSet>

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace TextStatistics;

namespace {

// Fewer letters than this tell too little for the statistics to mean anything.
constexpr int kMinLetters = 12;
// Coincidence as a share of the way from random letters to the language: above this a text
// writes each plain letter with one cipher letter (or keeps them), below it with several.
constexpr double kMonoShare = 0.6;
// The longest key length the column test tries.
constexpr int kMaxPeriod = 20;
// The columns of a key length must coincide this far from random letters to the language.
constexpr double kPeriodShare = 0.7;
// From this many letters on, a text without J in at most 25 letters points to a 5×5 square.
constexpr int kSquareLetters = 40;
// Bifid's text coincides up to about this share of the way to the language.
constexpr double kBifidShare = 0.85;

QString languageName(Language language)
{
    return language == Language::German ? u"Deutsch"_qs : u"Englisch"_qs;
}

QString percent(double share)
{
    return QString::number(int(std::lround(100 * share))) + u" %"_qs;
}

struct LetterFacts
{
    QByteArray letters;
    Counts counts {};
    qsizetype n = 0;
    Language language = Language::German; // whose sorted frequencies fit better
    double ic = 0;
    double languageIc = 0;
    double share = 0; // coincidence between random (0) and the language (1)
    bool keepsWords = false; // blanks between words of varying length
    bool mixedCase = false;
    int kinds = 0;
};

LetterFacts factsOf(const QString &text)
{
    LetterFacts facts;
    facts.letters = letterIndices(text);
    facts.n = facts.letters.size();
    facts.counts = letterCounts(facts.letters);
    facts.language = sortedFrequencyDistance(facts.counts, Language::German) <=
            sortedFrequencyDistance(facts.counts, Language::English)
        ? Language::German
        : Language::English;
    facts.ic = coincidence(facts.letters);
    facts.languageIc = languageCoincidence(facts.language);
    facts.share = (facts.ic - kRandomCoincidence) / (facts.languageIc - kRandomCoincidence);
    // Words are what blanks part, marks and all: a mark between letters (Trifid's "." in a run
    // of capitals) splits no word, and a group of five that holds one is still five long.
    static const QRegularExpression word(QStringLiteral("\\S*[A-Za-zÄÖÜäöüß]\\S*"));
    QSet<qsizetype> lengths;
    int words = 0;
    for (auto it = word.globalMatch(text); it.hasNext(); ++words)
        lengths.insert(it.next().capturedLength());
    facts.keepsWords = words >= 3 && lengths.size() >= 3;
    bool upper = false;
    bool lower = false;
    for (const QChar ch : text) {
        upper = upper || (ch >= u'A' && ch <= u'Z');
        lower = lower || (ch >= u'a' && ch <= u'z');
    }
    facts.mixedCase = upper && lower;
    facts.kinds =
        int(std::count_if(facts.counts.begin(), facts.counts.end(), [](int c) { return c > 0; }));
    return facts;
}

QString coincidenceReason(const LetterFacts &f, const QString &meaning)
{
    return QStringLiteral("Koinzidenzindex %1 (Deutsch %2, Englisch %3, Zufall %4): %5")
        .arg(decimal3(f.ic), decimal3(languageCoincidence(Language::German)),
             decimal3(languageCoincidence(Language::English)), decimal3(kRandomCoincidence),
             meaning);
}

QString commonestLetters(const Counts &counts, int how)
{
    std::array<int, 26> order {};
    for (int i = 0; i < 26; ++i)
        order[size_t(i)] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return counts[size_t(a)] > counts[size_t(b)]; });
    QStringList out;
    const int total = std::max(1, std::accumulate(counts.begin(), counts.end(), 0));
    for (int i = 0; i < how; ++i)
        out.append(QStringLiteral("%1 %2")
                       .arg(QChar(u'A' + order[size_t(i)]))
                       .arg(percent(double(counts[size_t(order[size_t(i)])]) / total)));
    return out.join(QStringLiteral(", "));
}

// A text of one alphabet: its letters as they stand (a transposition), shifted (ROT), reflected
// (Atbash), or renamed by a key alphabet that no simple rule gives.
void weighMonoalphabetic(const LetterFacts &f, EvidenceList &out)
{
    const QString coincidenceText = coincidenceReason(
        f, u"jeder Klarbuchstabe wird immer durch denselben Buchstaben geschrieben."_qs);
    // Bifid writes pairs of the plain letters' rows and pairs of their columns, as uneven as the
    // letters themselves: its text coincides part of the way to the language, not all of it.
    if (f.n >= kSquareLetters && f.counts[size_t('J' - 'A')] == 0 && f.kinds <= 25 &&
        f.share < kBifidShare)
        out.push_back({u"fraktionierend"_qs,
                       u"bifid"_qs,
                       0.3,
                       {coincidenceReason(f,
                                          u"näher an einer Sprache als an Zufall, aber "
                                          "darunter."_qs),
                        QStringLiteral("Nur %1 verschiedene Buchstaben, kein J: ein "
                                       "5×5-Quadrat (Bifid) hebt den Koinzidenzindex so weit.")
                            .arg(f.kinds)}});
    const AlphabetFit shift = bestShift(f.counts, f.language);
    const double plainFit = unshiftedFit(f.counts, f.language);
    const double atbash = reflectedFit(f.counts, f.language);
    const QString language = languageName(f.language);
    // A transposition keeps every letter: the frequencies are the language's as they stand, and
    // no shift fits them better than none.
    if (shift.shift == 0 || plainFit >= shift.perLetter - 0.02) {
        const QString why =
            QStringLiteral("Die Buchstabenhäufigkeiten sind die des %1en, wie sie stehen (%2): "
                           "die Buchstaben sind nur umgestellt.")
                .arg(language, commonestLetters(f.counts, 3));
        const QStringList reasons {coincidenceText, why};
        out.push_back({u"transposition"_qs, u"spaltentausch"_qs, 1.0, reasons});
        out.push_back({u"transposition"_qs, u"zaun"_qs, 0.5, reasons});
        out.push_back({u"transposition"_qs, u"skytale"_qs, 0.4, reasons});
        out.push_back({u"transposition"_qs, u"amsco"_qs, 0.35, reasons});
        out.push_back({u"transposition"_qs, u"rueckwaerts"_qs, 0.2, reasons});
        return;
    }
    const QString sortedWhy =
        QStringLiteral("Der Größe nach geordnet passen die Häufigkeiten zum %1en (häufigste: %2), "
                       "aber zu anderen Buchstaben.")
            .arg(language, commonestLetters(f.counts, 3));
    // Plain text scores about 0.1 per letter better than its best wrong shift.
    if (shift.perLetter > plainFit + 0.15 && shift.perLetter >= atbash) {
        out.push_back({u"monoalphabetisch"_qs,
                       u"rot"_qs,
                       1.0,
                       {coincidenceText, sortedWhy,
                        QStringLiteral("Um %1 Stellen zurückgeschoben passen die Häufigkeiten "
                                       "zum %2en: eine Verschiebung (Caesar, ROT).")
                            .arg(shift.shift)
                            .arg(language)}});
    } else if (atbash > plainFit + 0.15) {
        out.push_back(
            {u"monoalphabetisch"_qs,
             u"atbash"_qs,
             1.0,
             {coincidenceText, sortedWhy,
              u"Mit dem umgekehrten Alphabet (A↔Z) passen die Häufigkeiten: Atbash."_qs}});
    }
    out.push_back({u"monoalphabetisch"_qs, u"affin"_qs, 0.5, {coincidenceText, sortedWhy}});
    out.push_back({u"monoalphabetisch"_qs,
                   QString(),
                   0.8,
                   {coincidenceText, sortedWhy,
                    u"Eine Buchstabenersetzung mit Schlüsselalphabet liest der Code-Knacker "
                    "ab etwa 100 Buchstaben."_qs}});
}

// Per column of a key length, the best of each periodic family's alphabets, summed.
struct PeriodicFits
{
    double vigenere = 0;
    double beaufort = 0;
    double porta = 0;
    int digitColumns = 0; // columns whose best shift is 0..9 (Gronsfeld writes no other)
};

PeriodicFits periodicFits(const QByteArray &letters, int period, Language language)
{
    PeriodicFits fits;
    for (int column = 0; column < period; ++column) {
        QByteArray part;
        for (qsizetype i = column; i < letters.size(); i += period)
            part.append(letters[i]);
        const Counts counts = letterCounts(part);
        const AlphabetFit shift = bestShift(counts, language);
        fits.vigenere += shift.perLetter * double(part.size());
        fits.digitColumns += shift.shift <= 9 ? 1 : 0;
        double beaufort = -1e9;
        double porta = -1e9;
        for (int k = 0; k < 26; ++k) {
            Counts reflected {};
            for (int c = 0; c < 26; ++c)
                reflected[size_t((k - c + 26) % 26)] += counts[size_t(c)];
            beaufort = std::max(beaufort, unshiftedFit(reflected, language));
        }
        for (int k = 0; k < 13; ++k) {
            Counts swapped {};
            for (int c = 0; c < 26; ++c) {
                const int p = c >= 13 ? (c - 13 - k + 26) % 13 : 13 + (c + k) % 13;
                swapped[size_t(p)] += counts[size_t(c)];
            }
            porta = std::max(porta, unshiftedFit(swapped, language));
        }
        fits.beaufort += beaufort * double(part.size());
        fits.porta += porta * double(part.size());
    }
    return fits;
}

void weighPeriodic(const LetterFacts &f, int period, const KasiskiResult &repeats,
                   EvidenceList &out)
{
    QStringList reasons {coincidenceReason(f, u"mehrere Alphabete wechseln sich ab."_qs)};
    reasons.append(QStringLiteral("In %1 Spalten verteilt, haben die Spalten den "
                                  "Koinzidenzindex %2 einer Sprache: Schlüssellänge %1.")
                       .arg(period)
                       .arg(decimal3(columnCoincidence(f.letters, period))));
    reasons.append(QStringLiteral("Friedman schätzt die Schlüssellänge auf %1.")
                       .arg(decimal3(friedmanEstimate(f.letters, f.languageIc))
                                .replace(QRegularExpression(QStringLiteral(",\\d+$")), QString())));
    if (repeats.period > 0 && period % repeats.period == 0)
        reasons.append(QStringLiteral("Kasiski: %1 von %2 Wiederholungen dreier Buchstaben "
                                      "liegen ein Vielfaches von %3 auseinander.")
                           .arg(repeats.repeats)
                           .arg(repeats.allRepeats)
                           .arg(repeats.period));
    const PeriodicFits fits = periodicFits(f.letters, period, f.language);
    const double best = std::max({fits.vigenere, fits.beaufort, fits.porta});
    const auto weight = [&](double fit) { return std::pow(10.0, (fit - best) / 4); };
    double vigenere = weight(fits.vigenere);
    if (period >= 3 && 5 * fits.digitColumns >= 4 * period) {
        out.push_back({u"polyalphabetisch"_qs, u"gronsfeld"_qs, 1.5 * vigenere,
                       reasons +
                           QStringList {u"Jede Spalte ist um höchstens 9 verschoben: ein "
                                        "Schlüssel aus Ziffern (Gronsfeld)."_qs}});
        vigenere *= 0.5;
    }
    out.push_back({u"polyalphabetisch"_qs, u"vigenere"_qs, vigenere,
                   reasons + QStringList {u"Jede Spalte ist eine Verschiebung des Alphabets."_qs}});
    out.push_back({u"polyalphabetisch"_qs, u"beaufort"_qs, weight(fits.beaufort),
                   reasons +
                       QStringList {u"Jede Spalte passt als umgekehrtes Alphabet "
                                    "(Beaufort)."_qs}});
    out.push_back({u"polyalphabetisch"_qs, u"porta"_qs, weight(fits.porta),
                   reasons +
                       QStringList {u"Jede Spalte passt als Tausch der Alphabethälften "
                                    "(Porta)."_qs}});
    // Pairs enciphered as pairs (Hill) also make even key lengths look like periods.
    if (!f.keepsWords && period % 2 == 0 && f.n % 2 == 0)
        out.push_back({u"digraphisch"_qs,
                       u"hill"_qs,
                       0.3,
                       {reasons.front(),
                        QStringLiteral("Ohne Wortgrenzen, gerade Länge und eine gerade "
                                       "Schlüssellänge: auch eine Chiffre auf Buchstabenpaaren "
                                       "(Hill) zeigt solche Spalten.")}});
}

// Low coincidence without a key length: pairs, fractions or a running key.
void weighFlat(const LetterFacts &f, EvidenceList &out)
{
    const QString coincidenceText = coincidenceReason(
        f, u"kein einzelnes Alphabet; eine Spaltenlänge bis 20 zeigt sich nicht."_qs);
    const int doubled = doubledPairs(f.letters);
    const bool even = f.n % 2 == 0;
    const bool noJ = f.counts[size_t('J' - 'A')] == 0;
    const PairRepeats repeats = pairRepeats(f.letters);
    const double blanks = f.keepsWords ? 0.15 : 1.0;
    const QString lengthText = QStringLiteral("%1 Buchstaben (%2).")
                                   .arg(f.n)
                                   .arg(even ? u"gerade Anzahl"_qs : u"ungerade Anzahl"_qs);
    if (even && doubled == 0 && f.kinds <= 25) {
        const double strength = std::min(4.0, 0.5 + double(f.n) / 40);
        out.push_back({u"digraphisch"_qs,
                       u"playfair"_qs,
                       strength * blanks,
                       {coincidenceText, lengthText,
                        QStringLiteral("Keines der %1 Buchstabenpaare enthält zweimal denselben "
                                       "Buchstaben%2: so schreibt Playfair.")
                            .arg(f.n / 2)
                            .arg(noJ ? u", und J fehlt"_qs : QString())}});
    }
    if (noJ && f.kinds <= 25)
        out.push_back({u"fraktionierend"_qs,
                       u"bifid"_qs,
                       (doubled == 0 ? 0.4 : 1.2) * blanks,
                       {coincidenceText,
                        QStringLiteral("Nur %1 verschiedene Buchstaben, kein J: ein 5×5-Quadrat "
                                       "(Bifid).")
                            .arg(f.kinds)}});
    if (even) {
        const bool pairs = repeats.even > repeats.odd;
        out.push_back({u"digraphisch"_qs,
                       u"hill"_qs,
                       (pairs ? 1.0 : 0.5) * (noJ ? 0.5 : 1.0) * blanks,
                       {coincidenceText, lengthText,
                        QStringLiteral("%1 Paare an geraden Stellen wiederholen sich, %2 an "
                                       "ungeraden: eine Chiffre auf Buchstabenpaaren (Hill).")
                            .arg(repeats.even)
                            .arg(repeats.odd)}});
    }
    const QString wordsText = f.keepsWords
        ? u"Wortgrenzen und Schreibweise sind erhalten: Buchstabe für Buchstabe ersetzt."_qs
        : u"Ohne Wortgrenzen geschrieben."_qs;
    out.push_back({u"polyalphabetisch"_qs,
                   u"autokey"_qs,
                   // Autokey and Vigenère keep the blanks: without them a cipher that drops
                   // them is likelier.
                   f.keepsWords ? 1.2 : 0.15,
                   {coincidenceText, wordsText}});
    out.push_back({u"polyalphabetisch"_qs,
                   u"vigenere"_qs,
                   f.keepsWords ? 0.6 : 0.1,
                   {coincidenceText, wordsText,
                    u"Ein Schlüssel, so lang wie ein Fünftel des Textes, ließe keine Spalten "
                    "erkennen."_qs}});
    out.push_back({u"fraktionierend"_qs, u"trifid"_qs, 0.3 * blanks, {coincidenceText}});
}

// Trifid writes its 27th symbol as "." and Delastelle's as "+": inside a run of capitals without
// blanks they are no punctuation.
bool weighCubeSymbols(const QString &text, const LetterFacts &f, EvidenceList &out)
{
    QString compact;
    for (const QChar ch : text) {
        if (!ch.isSpace())
            compact.append(ch);
    }
    static const QRegularExpression inner(QStringLiteral("[A-Z][.+][A-Z.+]*[A-Z]"));
    if (f.mixedCase || f.keepsWords || !inner.match(compact).hasMatch())
        return false;
    const bool plus = compact.contains(u'+');
    out.push_back({u"fraktionierend"_qs,
                   plus ? u"delastelle"_qs : u"trifid"_qs,
                   2,
                   {coincidenceReason(f, u"kein einzelnes Alphabet."_qs),
                    QStringLiteral("Großbuchstaben ohne Wortgrenzen und dazwischen „%1“: das "
                                   "27. Zeichen eines 3×3×3-Würfels (%2).")
                        .arg(plus ? u"+"_qs : u"."_qs, plus ? u"Delastelle"_qs : u"Trifid"_qs)}});
    return true;
}

} // namespace

void weighLetterText(const QString &text, EvidenceList &out)
{
    static const QRegularExpression letterOrSpace(QStringLiteral("[A-Za-zÄÖÜäöüß\\s.,;:!?'\"-]"));
    qsizetype others = 0;
    for (const QChar ch : text)
        others += letterOrSpace.match(QString(ch)).hasMatch() ? 0 : 1;
    const LetterFacts facts = factsOf(text);
    if (facts.n < kMinLetters || others * 4 > facts.n)
        return;
    // Playfair's marks (an even count, no pair of the same letter twice, at most 25 letters, no
    // word boundaries) are rare elsewhere: a substitution of 80 letters writes such a pair in
    // nine texts of ten.
    const bool playfair = facts.n % 2 == 0 && facts.n >= 30 && facts.kinds <= 25 &&
        !facts.keepsWords && doubledPairs(facts.letters) == 0;
    if (facts.share >= kMonoShare && !playfair) {
        weighMonoalphabetic(facts, out);
        return;
    }
    if (playfair) {
        weighFlat(facts, out);
        return;
    }
    if (weighCubeSymbols(text, facts, out))
        return;
    const int longest = int(std::min<qsizetype>(kMaxPeriod, facts.n / 4));
    int period = columnPeriod(facts.letters, longest, facts.languageIc, kPeriodShare);
    // A true key length shows again at its double; a chance one rarely does.
    if (period > 0 && facts.n / (2 * period) >= 4 &&
        columnCoincidence(facts.letters, 2 * period) <
            kRandomCoincidence + 0.8 * kPeriodShare * (facts.languageIc - kRandomCoincidence))
        period = 0;
    const KasiskiResult repeats = kasiski(facts.letters, longest);
    // Without a J and with no more than 25 letters in a long text, a 5×5 square wrote it: the
    // alphabets of a periodic cipher use every letter.
    const bool square =
        facts.n >= kSquareLetters && facts.counts[size_t('J' - 'A')] == 0 && facts.kinds <= 25;
    if (period > 0 && !square) {
        weighPeriodic(facts, period, repeats, out);
        return;
    }
    weighFlat(facts, out);
    if (period > 0) {
        EvidenceList periodic;
        weighPeriodic(facts, period, repeats, periodic);
        for (Evidence &item : periodic) {
            item.weight *= 0.2;
            out.push_back(std::move(item));
        }
    }
}
