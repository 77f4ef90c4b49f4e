#include "CipherIdentification.h"

#include "CodeBreaker.h"
#include "IdentificationEvidence.h"
#include "Letters.h"
#include "Verdict.h"

#include "logic/common/Numbers.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

namespace {

struct FamilyOf
{
    const char *family;
    std::initializer_list<const char *> methods;
};

const FamilyOf kFamilies[] = {
    {"transposition", {"zaun", "skytale", "rueckwaerts", "spaltentausch", "amsco"}},
    {"monoalphabetisch",
     {"rot", "rot5", "rot18", "rot47", "atbash", "affin", "substitution", "tastatur"}},
    {"polyalphabetisch",
     {"vigenere", "beaufort", "autokey", "gronsfeld", "porta", "chao", "enigma", "nihilist"}},
    {"digraphisch", {"playfair", "hill"}},
    {"fraktionierend",
     {"bifid", "trifid", "delastelle", "adfgx", "adfgvx", "fraktioniertesmorse", "morbit", "pollux",
      "spreizschachbrett"}},
};

// Everything a single quick decoding of the code breaker tries on every text: when none of
// them reads, the text is probably none of them.
bool triedWithoutKey(const QString &method)
{
    static const QSet<QString> keyless = {u"rot"_qs,
                                          u"rot47"_qs,
                                          u"atbash"_qs,
                                          u"affin"_qs,
                                          u"a1z26"_qs,
                                          u"polybius"_qs,
                                          u"bacon"_qs,
                                          u"morse"_qs,
                                          u"kenny"_qs,
                                          u"klopfcode"_qs,
                                          u"handy"_qs,
                                          u"base64"_qs,
                                          u"base32"_qs,
                                          u"base16"_qs,
                                          u"zeichencode"_qs,
                                          u"fermilab"_qs,
                                          u"rueckwaerts"_qs,
                                          u"zaun"_qs,
                                          u"skytale"_qs,
                                          u"base58"_qs,
                                          u"ascii85"_qs,
                                          u"base91"_qs,
                                          u"ita2"_qs,
                                          u"braillepunkte"_qs,
                                          u"buchstabieralphabet"_qs};
    return keyless.contains(method);
}

bool onlyOf(const QString &compact, const QString &alphabet)
{
    return std::all_of(compact.begin(), compact.end(),
                       [&](QChar ch) { return alphabet.contains(ch); });
}

QStringList tokens(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[^0-9A-Za-z]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

bool allTokens(const QStringList &list, const std::function<bool(const QString &)> &test)
{
    return !list.isEmpty() && std::all_of(list.begin(), list.end(), test);
}

bool numberIn(const QString &token, int from, int to)
{
    bool ok = false;
    const int value = token.toInt(&ok);
    return ok && token.size() <= 3 && value >= from && value <= to;
}

QString symbolList(const QSet<QChar> &kinds)
{
    QList<QChar> sorted(kinds.begin(), kinds.end());
    std::sort(sorted.begin(), sorted.end());
    QStringList parts;
    for (const QChar ch : sorted)
        parts.append(QString(ch));
    return parts.join(QStringLiteral(", "));
}

// Texts written in digits: Polybius, A1Z26, character codes, the phone keypad, the Morse-based
// digit ciphers.
bool weighDigits(const QString &text, const QString &compact, EvidenceList &out)
{
    const QString separators = QStringLiteral("0123456789 \t\r\n,;./-|");
    if (!onlyOf(compact, separators) ||
        !std::any_of(compact.begin(), compact.end(), [](QChar ch) { return ch.isDigit(); }))
        return false;
    const QStringList list = tokens(text);
    QString digits;
    for (const QString &token : list)
        digits += token;
    const auto square = [&](int size) {
        return onlyOf(digits, QStringLiteral("123456").left(size)) && digits.size() % 2 == 0;
    };
    if (compact.contains(u'-') && onlyOf(digits, QStringLiteral("123456")) &&
        onlyOf(compact, QStringLiteral("123456-/ "))) {
        out.push_back({u"kodierung"_qs,
                       u"braillepunkte"_qs,
                       3,
                       {u"Nur die Ziffern 1 bis 6, mit „-“ zu Gruppen verbunden: die Punkte "
                        "von Braillezeichen."_qs}});
        return true;
    }
    if (square(5) || square(6)) {
        const bool five = square(5);
        out.push_back(
            {u"kodierung"_qs,
             u"polybius"_qs,
             3,
             {QStringLiteral("Nur die Ziffern 1 bis %1, %2 Ziffern (eine gerade Anzahl): Zeile "
                             "und Spalte in einem %1×%1-Quadrat.")
                  .arg(five ? 5 : 6)
                  .arg(digits.size())}});
        if (five)
            out.push_back({u"kodierung"_qs,
                           u"klopfcode"_qs,
                           0.5,
                           {u"Der Klopfcode schreibt dieselben Ziffernpaare."_qs}});
        return true;
    }
    if (onlyOf(digits, QStringLiteral("012")) &&
        allTokens(list, [](const QString &t) { return t.size() == 3; })) {
        out.push_back(
            {u"kodierung"_qs,
             u"fermilab"_qs,
             3,
             {u"Nur die Ziffern 0, 1, 2 in Dreiergruppen: der ternäre Fermilab-Code."_qs}});
        return true;
    }
    if (list.size() >= 3 && allTokens(list, [](const QString &t) { return numberIn(t, 0, 26); })) {
        out.push_back({u"kodierung"_qs,
                       u"a1z26"_qs,
                       3,
                       {QStringLiteral("%1 Zahlen, alle von 0 bis 26: die Stellen der Buchstaben "
                                       "im Alphabet.")
                            .arg(list.size())}});
        return true;
    }
    if (list.size() >= 3 &&
        allTokens(list, [](const QString &t) { return numberIn(t, 32, 255); })) {
        out.push_back({u"kodierung"_qs,
                       u"zeichencode"_qs,
                       3,
                       {QStringLiteral("%1 Zahlen, alle von 32 bis 255: Zeichencodes (ASCII).")
                            .arg(list.size())}});
        return true;
    }
    const auto repeatedKey = [](const QString &t) {
        return t.size() <= 4 && t.count(t.front()) == t.size() && t.front() != u'1';
    };
    if (list.size() >= 3 && allTokens(list, repeatedKey)) {
        out.push_back({u"kodierung"_qs,
                       u"handy"_qs,
                       3,
                       {u"Gruppen aus einer wiederholten Ziffer (2 bis 9, 0): Tasten einer "
                        "Handytastatur, so oft gedrückt wie der Buchstabe weit steht."_qs}});
        return true;
    }
    if (onlyOf(digits, QStringLiteral("23456789")) && list.size() >= 2) {
        out.push_back({u"kodierung"_qs,
                       u"t9"_qs,
                       2,
                       {u"Nur die Ziffern 2 bis 9 in Wortgruppen: Wörter auf der Handytastatur "
                        "(T9)."_qs}});
        return true;
    }
    const QString reason =
        QStringLiteral("%1 Ziffern ohne erkennbares Muster kleiner Zahlen: eine Chiffre, die "
                       "Buchstaben oder Morsezeichen in Ziffern zerlegt.")
            .arg(digits.size());
    out.push_back({u"fraktionierend"_qs, u"pollux"_qs, 1, {reason}});
    out.push_back({u"fraktionierend"_qs, u"spreizschachbrett"_qs, 0.8, {reason}});
    if (!digits.contains(u'0'))
        out.push_back({u"fraktionierend"_qs, u"morbit"_qs, 0.7, {reason}});
    out.push_back({u"polyalphabetisch"_qs, u"nihilist"_qs, 0.4, {reason}});
    return true;
}

// Base64, Base32, hexadecimal: the alphabets of the byte encodings.
bool weighByteEncodings(const QString &compact, EvidenceList &out)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]+$"));
    static const QRegularExpression base32(QStringLiteral("^[A-Z2-7]+=*$"));
    static const QRegularExpression base64(QStringLiteral("^[A-Za-z0-9+/]+={0,2}$"));
    const bool hasDigit =
        std::any_of(compact.begin(), compact.end(), [](QChar c) { return c.isDigit(); });
    if (compact.size() >= 8 && hex.match(compact).hasMatch() && hasDigit) {
        out.push_back({u"kodierung"_qs,
                       u"base16"_qs,
                       3,
                       {QStringLiteral("Nur Hexadezimalziffern 0–9, A–F, %1 Zeichen: Bytes in "
                                       "Base16 (hexadezimal).")
                            .arg(compact.size())}});
        return true;
    }
    if (compact.size() >= 8 && base32.match(compact).hasMatch() && hasDigit) {
        out.push_back(
            {u"kodierung"_qs,
             u"base32"_qs,
             compact.size() % 8 == 0 ? 3.0 : 1.5,
             {QStringLiteral("Nur Großbuchstaben, die Ziffern 2 bis 7 und „=“, %1 "
                             "Zeichen%2: das Base32-Alphabet.")
                  .arg(compact.size())
                  .arg(compact.size() % 8 == 0 ? u" (ein Vielfaches von 8)"_qs : QString())}});
        return true;
    }
    const bool mixed = compact != compact.toUpper() && compact != compact.toLower();
    if (compact.size() >= 8 && base64.match(compact).hasMatch() && mixed && hasDigit) {
        const bool four = compact.size() % 4 == 0;
        out.push_back({u"kodierung"_qs,
                       u"base64"_qs,
                       four ? 3.0 : 1.5,
                       {QStringLiteral("Groß- und Kleinbuchstaben, Ziffern%1, %2 Zeichen%3: das "
                                       "Base64-Alphabet.")
                            .arg(compact.contains(u'=') ? u" und „=“ am Ende"_qs : QString())
                            .arg(compact.size())
                            .arg(four ? u" (ein Vielfaches von 4)"_qs : QString())}});
        if (!four)
            out.push_back({u"kodierung"_qs,
                           u"base58"_qs,
                           0.8,
                           {u"Ohne „=“ und Vielfaches von 4 passt auch Base58."_qs}});
        return true;
    }
    return false;
}

// Codes in few symbols: Morse, tap code, Bacon, Kenny, ADFGX.
bool weighFewSymbols(const QString &compact, EvidenceList &out)
{
    QSet<QChar> kinds;
    for (const QChar ch : compact)
        kinds.insert(ch.toUpper());
    const QString upper = compact.toUpper();
    if (onlyOf(compact, QStringLiteral(".-/|_·−")) && compact.contains(u'.') &&
        (compact.contains(u'-') || compact.contains(u'−') || compact.contains(u'_'))) {
        out.push_back({u"kodierung"_qs,
                       u"morse"_qs,
                       3,
                       {u"Nur Punkte und Striche, durch Leerzeichen oder „/“ getrennt: "
                        "Morsezeichen."_qs}});
        return true;
    }
    if (onlyOf(compact, QStringLiteral("./")) && compact.contains(u'.')) {
        out.push_back({u"kodierung"_qs,
                       u"klopfcode"_qs,
                       3,
                       {u"Nur Punkte in Gruppen: Klopfzeichen (Zeile, dann Spalte)."_qs}});
        return true;
    }
    if (kinds.size() == 2) {
        const bool binary = kinds.contains(u'0') && kinds.contains(u'1');
        out.push_back(
            {u"kodierung"_qs,
             u"bacon"_qs,
             binary ? 1.5 : 3.0,
             {QStringLiteral("Nur zwei Zeichen (%1), %2 insgesamt%3: Bacon schreibt "
                             "jeden Buchstaben als fünf Zeichen aus zweien.")
                  .arg(symbolList(kinds))
                  .arg(compact.size())
                  .arg(compact.size() % 5 == 0 ? u" (ein Vielfaches von 5)"_qs : QString())}});
        if (binary)
            out.push_back({u"kodierung"_qs,
                           compact.size() % 8 == 0 ? u"zeichencode"_qs : u"ita2"_qs,
                           1.2,
                           {u"Nur 0 und 1: Bits, je 8 für ein ASCII-Zeichen oder 5 für ein "
                            "Fernschreibzeichen (ITA2)."_qs}});
        return true;
    }
    if (kinds == QSet<QChar> {u'M', u'P', u'F'}) {
        out.push_back({u"kodierung"_qs,
                       u"kenny"_qs,
                       3,
                       {u"Nur die Buchstaben m, p, f: Kennys Sprache, drei Zeichen je "
                        "Buchstabe."_qs}});
        return true;
    }
    const bool adfgx = onlyOf(upper, QStringLiteral("ADFGX"));
    if ((adfgx || onlyOf(upper, QStringLiteral("ADFGVX"))) && compact.size() >= 10) {
        const QString name = adfgx ? u"ADFGX"_qs : u"ADFGVX"_qs;
        out.push_back({u"fraktionierend"_qs,
                       adfgx ? u"adfgx"_qs : u"adfgvx"_qs,
                       3,
                       {QStringLiteral("Nur die Buchstaben %1, %2 Zeichen%3: je zwei stehen für "
                                       "einen Buchstaben des Quadrats, danach umgestellt.")
                            .arg(name)
                            .arg(compact.size())
                            .arg(compact.size() % 2 == 0 ? u" (gerade Anzahl)"_qs : QString())}});
        return true;
    }
    return false;
}

bool weighSpelling(const QString &text, EvidenceList &out)
{
    static const QSet<QString> nato = {
        u"ALFA"_qs,    u"ALPHA"_qs, u"BRAVO"_qs,  u"CHARLIE"_qs,  u"DELTA"_qs,   u"ECHO"_qs,
        u"FOXTROT"_qs, u"GOLF"_qs,  u"HOTEL"_qs,  u"INDIA"_qs,    u"JULIETT"_qs, u"JULIET"_qs,
        u"KILO"_qs,    u"LIMA"_qs,  u"MIKE"_qs,   u"NOVEMBER"_qs, u"OSCAR"_qs,   u"PAPA"_qs,
        u"QUEBEC"_qs,  u"ROMEO"_qs, u"SIERRA"_qs, u"TANGO"_qs,    u"UNIFORM"_qs, u"VICTOR"_qs,
        u"WHISKEY"_qs, u"XRAY"_qs,  u"YANKEE"_qs, u"ZULU"_qs};
    const QStringList words = tokens(text);
    const auto known = std::count_if(words.begin(), words.end(),
                                     [](const QString &w) { return nato.contains(w.toUpper()); });
    if (words.size() < 3 || known * 2 < words.size())
        return false;
    out.push_back({u"kodierung"_qs,
                   u"buchstabieralphabet"_qs,
                   3,
                   {QStringLiteral("%1 von %2 Wörtern stammen aus dem Buchstabieralphabet "
                                   "(Alfa, Bravo, Charlie, ...).")
                        .arg(known)
                        .arg(words.size())}});
    return true;
}

std::vector<CipherGuess> scaled(EvidenceList evidence)
{
    // One guess per procedure: the weights add up, the reasons join.
    EvidenceList merged;
    for (Evidence &item : evidence) {
        auto same = std::find_if(merged.begin(), merged.end(), [&](const Evidence &m) {
            return m.family == item.family && m.method == item.method;
        });
        if (same == merged.end()) {
            merged.push_back(std::move(item));
            continue;
        }
        same->weight += item.weight;
        for (const QString &reason : item.reasons) {
            if (!same->reasons.contains(reason))
                same->reasons.append(reason);
        }
    }
    const double total =
        std::accumulate(merged.begin(), merged.end(), 0.0,
                        [](double sum, const Evidence &e) { return sum + e.weight; });
    std::stable_sort(merged.begin(), merged.end(),
                     [](const Evidence &a, const Evidence &b) { return a.weight > b.weight; });
    std::vector<CipherGuess> out;
    for (const Evidence &item : merged) {
        const double likelihood = total > 0 ? item.weight / total : 0;
        if (int(out.size()) >= kMaxGuesses || (likelihood < 0.02 && !out.empty()))
            break;
        out.push_back(
            {item.family, item.method, std::round(likelihood * 1000) / 1000, item.reasons});
    }
    return out;
}

// The procedures that write the letters of a text as letters A-Z: shifted, replaced, moved or
// mixed, a text of kMinSearchLetters or more of them uses more than kMinCipherLetterKinds
// different letters, as its plain text does.
bool writesLetters(const QString &method, const QString &family)
{
    static const QSet<QString> letterFamilies = {u"transposition"_qs, u"monoalphabetisch"_qs,
                                                 u"polyalphabetisch"_qs, u"digraphisch"_qs};
    return letterFamilies.contains(family) || method == u"bifid" || method == u"trifid" ||
        method == u"delastelle";
}

int symbolKinds(const QString &compact)
{
    QSet<QChar> kinds;
    for (const QChar ch : compact)
        kinds.insert(ch.toUpper());
    return int(kinds.size());
}

// Whether the code breaker's searches without key ran on the text and gave a reading of this
// procedure (the substitution's only they give, so it tells they ran; a Vigenère key of A-J
// covers Gronsfeld, and a substitution every keyed alphabet). They break these procedures in
// nine texts of ten from about 100 letters on.
bool searchedWithoutKey(const Evidence &item, const std::vector<Candidate> &ranked)
{
    const auto has = [&](const QString &method) {
        return std::any_of(ranked.begin(), ranked.end(),
                           [&](const Candidate &c) { return c.method == method; });
    };
    if (!has(u"substitution"_qs))
        return false;
    static const QSet<QString> periodic = {u"vigenere"_qs, u"beaufort"_qs, u"autokey"_qs,
                                           u"porta"_qs};
    if (item.family == u"monoalphabetisch" && item.method.isEmpty())
        return true;
    if (item.method == u"gronsfeld")
        return has(u"vigenere"_qs);
    return periodic.contains(item.method) && has(item.method);
}

// The code breaker's first reading, when it reads, names the procedure outright, unless a
// cipher on letters read a text of too few symbols to be one: then a search fitted its key to a
// code (ADFGVX, Bacon) by chance.
void weighReading(const QString &compact, const std::vector<Candidate> &ranked, EvidenceList &out)
{
    const bool reads = firstReads(ranked);
    double statistics = 0;
    for (Evidence &item : out) {
        if (!ranked.empty() && triedWithoutKey(item.method)) {
            item.weight *= 0.15;
            item.reasons.append(
                u"Der Code-Knacker hat dieses Verfahren ohne lesbares Ergebnis probiert."_qs);
        } else if (!reads && searchedWithoutKey(item, ranked)) {
            item.weight *= 0.3;
            item.reasons.append(u"Der Code-Knacker hat den Schlüssel dieses Verfahrens gesucht, "
                                "ohne lesbares Ergebnis."_qs);
        }
        statistics += item.weight;
    }
    if (!reads)
        return;
    const Candidate &first = ranked.front();
    QString method = first.method.section(QStringLiteral(" → "), 0, 0);
    QStringList reasons;
    static const QRegularExpression digitLetters(QStringLiteral("^[A-J]{3,}$"));
    if (method == u"vigenere" && digitLetters.match(first.key).hasMatch()) {
        // Gronsfeld is Vigenère with the key letters A-J written as the digits 0-9.
        method = QStringLiteral("gronsfeld");
        reasons.append(QStringLiteral("Der Schlüssel %1 besteht nur aus A bis J, den Ziffern 0 bis "
                                      "9: Gronsfeld.")
                           .arg(first.key));
    }
    const QString family = cipherFamily(method);
    if (family.isEmpty())
        return;
    const QString named =
        first.key.isEmpty() ? first.method : QStringLiteral("%1 (%2)").arg(first.method, first.key);
    reasons.prepend(
        QStringLiteral("Die Entschlüsselung mit %1 liest sich als %2 (Bewertung %3, lesbar ab %4).")
            .arg(named, first.language == Language::German ? u"Deutsch"_qs : u"Englisch"_qs,
                 decimal3(first.score),
                 decimal3(
                     readableThreshold(first.language, normalizedLetters(first.plain).size()))));
    const int kinds = symbolKinds(compact);
    if (!first.method.contains(QStringLiteral(" → ")) && writesLetters(method, family) &&
        compact.size() >= kMinSearchLetters && kinds <= kMinCipherLetterKinds) {
        reasons.append(QStringLiteral("Aber der Text besteht aus %1 Zeichen von nur %2 Sorten: "
                                      "eine Chiffre auf Buchstaben schriebe mehr verschiedene, "
                                      "die Suche hat die Lesart zufällig gefunden.")
                           .arg(compact.size())
                           .arg(kinds));
        out.push_back({family, method, 0.1 * std::max(1.0, statistics), reasons});
        return;
    }
    out.push_back({family, method, std::max(1.0, 9 * statistics), reasons});
}

} // namespace

QString decimal3(double value)
{
    return Numbers::formatFloat000(value);
}

QString cipherFamily(const QString &method)
{
    for (const FamilyOf &entry : kFamilies) {
        for (const char *name : entry.methods) {
            if (method == QLatin1String(name))
                return QString::fromLatin1(entry.family);
        }
    }
    const Ciphers::Cipher *cipher = Ciphers::findCipher(method);
    return cipher ? u"kodierung"_qs : QString();
}

std::vector<CipherGuess> identifyCipher(const QString &text, const std::vector<Candidate> &ranked)
{
    if (!ranked.empty() && ranked.front().method == u"klartext" && firstReads(ranked))
        return {};
    QString compact;
    for (const QChar ch : text) {
        if (!ch.isSpace())
            compact.append(ch);
    }
    EvidenceList evidence;
    if (compact.isEmpty())
        return {};
    if (!weighFewSymbols(compact, evidence) && !weighDigits(text, compact, evidence) &&
        !weighByteEncodings(compact, evidence) && !weighSpelling(text, evidence))
        weighLetterText(text, evidence);
    weighReading(compact, ranked, evidence);
    return scaled(std::move(evidence));
}
