// Codes for the voice: spelling alphabets and number words. Decoding reads the words also run
// together and in any case, since puzzles write them that way ("EINSZWEIDREI").
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"

#include <QHash>
#include <QRegularExpression>

#include <utility>
#include <vector>

namespace Ciphers {
namespace {

// Upper case with Ä Ö Ü ß written out and everything but letters, digits and "/" dropped, so
// "Köln", "KOELN" and "koeln" read alike.
QString folded(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.toUpper().unicode()) {
        case u'Ä':
            out.append(QStringLiteral("AE"));
            continue;
        case u'Ö':
            out.append(QStringLiteral("OE"));
            continue;
        case u'Ü':
            out.append(QStringLiteral("UE"));
            continue;
        case u'ß':
        case u'ẞ':
            out.append(QStringLiteral("SS"));
            continue;
        default:
            break;
        }
        // Other accented letters count as their base letter ("zéro" as "zero").
        const QChar base = c.decompositionTag() == QChar::Canonical ? c.decomposition().at(0) : c;
        const int index = letterIndex(base);
        if (index >= 0)
            out.append(QChar(u'A' + index));
        else if ((c >= u'0' && c <= u'9') || c == u'/')
            out.append(c);
    }
    return out;
}

// A word list for decoding: the folded words, longest first, each with what it stands for.
using Readings = std::vector<std::pair<QString, QString>>;

Readings readings(const std::vector<std::pair<const char16_t *, const char16_t *>> &entries)
{
    Readings result;
    for (const auto &[word, meaning] : entries)
        result.emplace_back(folded(QString::fromUtf16(word)), QString::fromUtf16(meaning));
    std::stable_sort(result.begin(), result.end(),
                     [](const auto &a, const auto &b) { return a.first.size() > b.first.size(); });
    return result;
}

const QString *longestAt(const Readings &list, const QString &text, qsizetype at, qsizetype *length)
{
    for (const auto &[word, meaning] : list) {
        if (QStringView(text).mid(at).startsWith(word)) {
            *length = word.size();
            return &meaning;
        }
    }
    return nullptr;
}

// --- spelling alphabets -----------------------------------------------------------------------

struct Alphabet
{
    const char16_t *name;
    // character (upper case) and its word; the first word of a character is the one written
    std::vector<std::pair<const char16_t *, const char16_t *>> words;
};

const std::vector<Alphabet> &alphabets()
{
    static const std::vector<Alphabet> list = {
        {u"nato", {{u"A", u"Alfa"},    {u"A", u"Alpha"},  {u"B", u"Bravo"},   {u"C", u"Charlie"},
                   {u"D", u"Delta"},   {u"E", u"Echo"},   {u"F", u"Foxtrot"}, {u"G", u"Golf"},
                   {u"H", u"Hotel"},   {u"I", u"India"},  {u"J", u"Juliett"}, {u"J", u"Juliet"},
                   {u"K", u"Kilo"},    {u"L", u"Lima"},   {u"M", u"Mike"},    {u"N", u"November"},
                   {u"O", u"Oscar"},   {u"P", u"Papa"},   {u"Q", u"Quebec"},  {u"R", u"Romeo"},
                   {u"S", u"Sierra"},  {u"T", u"Tango"},  {u"U", u"Uniform"}, {u"V", u"Victor"},
                   {u"W", u"Whiskey"}, {u"W", u"Whisky"}, {u"X", u"X-ray"},   {u"Y", u"Yankee"},
                   {u"Z", u"Zulu"},    {u"0", u"Zero"},   {u"1", u"One"},     {u"2", u"Two"},
                   {u"3", u"Three"},   {u"3", u"Tree"},   {u"4", u"Four"},    {u"5", u"Five"},
                   {u"5", u"Fife"},    {u"6", u"Six"},    {u"7", u"Seven"},   {u"8", u"Eight"},
                   {u"9", u"Nine"},    {u"9", u"Niner"}}},
        {u"din5009",
         {{u"A", u"Aachen"},
          {u"Ä", u"Umlaut Aachen"},
          {u"B", u"Berlin"},
          {u"C", u"Chemnitz"},
          {u"D", u"Düsseldorf"},
          {u"E", u"Essen"},
          {u"F", u"Frankfurt"},
          {u"G", u"Goslar"},
          {u"H", u"Hamburg"},
          {u"I", u"Ingelheim"},
          {u"J", u"Jena"},
          {u"K", u"Köln"},
          {u"L", u"Leipzig"},
          {u"M", u"München"},
          {u"N", u"Nürnberg"},
          {u"O", u"Offenbach"},
          {u"Ö", u"Umlaut Offenbach"},
          {u"P", u"Potsdam"},
          {u"Q", u"Quickborn"},
          {u"R", u"Rostock"},
          {u"S", u"Salzwedel"},
          {u"ß", u"Eszett"},
          {u"T", u"Tübingen"},
          {u"U", u"Unna"},
          {u"Ü", u"Umlaut Unna"},
          {u"V", u"Völklingen"},
          {u"W", u"Wuppertal"},
          {u"X", u"Xanten"},
          {u"Y", u"Ypsilon"},
          {u"Z", u"Zwickau"},
          {u"0", u"Null"},
          {u"1", u"Eins"},
          {u"2", u"Zwo"},
          {u"2", u"Zwei"},
          {u"3", u"Drei"},
          {u"4", u"Vier"},
          {u"5", u"Fünf"},
          {u"6", u"Sechs"},
          {u"7", u"Sieben"},
          {u"8", u"Acht"},
          {u"9", u"Neun"}}},
        {u"din5009alt",
         {{u"A", u"Anton"},      {u"Ä", u"Ärger"},    {u"B", u"Berta"},     {u"C", u"Cäsar"},
          {u"CH", u"Charlotte"}, {u"D", u"Dora"},     {u"E", u"Emil"},      {u"F", u"Friedrich"},
          {u"G", u"Gustav"},     {u"H", u"Heinrich"}, {u"I", u"Ida"},       {u"J", u"Julius"},
          {u"K", u"Kaufmann"},   {u"L", u"Ludwig"},   {u"M", u"Martha"},    {u"N", u"Nordpol"},
          {u"O", u"Otto"},       {u"Ö", u"Ökonom"},   {u"P", u"Paula"},     {u"Q", u"Quelle"},
          {u"R", u"Richard"},    {u"S", u"Samuel"},   {u"S", u"Siegfried"}, {u"SCH", u"Schule"},
          {u"ß", u"Eszett"},     {u"T", u"Theodor"},  {u"U", u"Ulrich"},    {u"Ü", u"Übermut"},
          {u"V", u"Viktor"},     {u"W", u"Wilhelm"},  {u"X", u"Xanthippe"}, {u"Y", u"Ypsilon"},
          {u"Z", u"Zacharias"},  {u"Z", u"Zeppelin"}, {u"0", u"Null"},      {u"1", u"Eins"},
          {u"2", u"Zwo"},        {u"2", u"Zwei"},     {u"3", u"Drei"},      {u"4", u"Vier"},
          {u"5", u"Fünf"},       {u"6", u"Sechs"},    {u"7", u"Sieben"},    {u"8", u"Acht"},
          {u"9", u"Neun"}}},
    };
    return list;
}

const Alphabet &chosenAlphabet(const ParamValues &values)
{
    const QString name = textParam(values, QStringLiteral("alphabet"));
    for (const Alphabet &alphabet : alphabets()) {
        if (name == QString::fromUtf16(alphabet.name))
            return alphabet;
    }
    return alphabets().front();
}

QString spellEncode(const QString &text, const ParamValues &values)
{
    const Alphabet &alphabet = chosenAlphabet(values);
    QHash<QString, QString> word; // first word of each character
    for (const auto &[character, spoken] : alphabet.words) {
        if (!word.contains(QString::fromUtf16(character)))
            word.insert(QString::fromUtf16(character), QString::fromUtf16(spoken));
    }
    QStringList out;
    bool gap = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace()) {
            gap = !out.isEmpty();
            continue;
        }
        QString character = text[i] == u'ß' ? QStringLiteral("ß") : QString(text[i].toUpper());
        // The old German list spells "CH" and "SCH" with one word each.
        for (const QString &group : {QStringLiteral("SCH"), QStringLiteral("CH")}) {
            if (word.contains(group) && text.mid(i, group.size()).toUpper() == group) {
                character = group;
                break;
            }
        }
        const QString spoken = word.value(character);
        if (spoken.isEmpty())
            throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 hat im Buchstabieralphabet kein "
                                              "Wort.")
                                   .arg(text[i])
                                   .arg(i + 1));
        if (gap)
            out.append(QStringLiteral("/"));
        gap = false;
        out.append(spoken);
        i += character.size() - 1;
    }
    return out.join(u' ');
}

// The words may run together, and one may begin another ("NINER" and "NINE ROMEO"), so the
// places from which the rest can be read are found first, from the end backwards; then the
// longest word that leads to such a place is taken at each step.
QString spellDecode(const QString &text, const ParamValues &values)
{
    const Alphabet &alphabet = chosenAlphabet(values);
    std::vector<std::pair<const char16_t *, const char16_t *>> spoken;
    for (const auto &[character, word] : alphabet.words)
        spoken.emplace_back(word, character);
    const Readings list = readings(spoken);
    const QString plain = folded(text);
    const qsizetype n = plain.size();
    std::vector<bool> readable(std::size_t(n) + 1, false);
    readable[std::size_t(n)] = true;
    for (qsizetype at = n - 1; at >= 0; --at) {
        if (plain[at] == u'/') {
            readable[std::size_t(at)] = readable[std::size_t(at) + 1];
            continue;
        }
        for (const auto &[word, meaning] : list) {
            if (readable[std::size_t(at + word.size() <= n ? at + word.size() : n)] &&
                QStringView(plain).mid(at).startsWith(word)) {
                readable[std::size_t(at)] = true;
                break;
            }
        }
    }
    QString result;
    for (qsizetype at = 0; at < n;) {
        if (plain[at] == u'/') {
            if (!result.isEmpty() && !result.endsWith(u' '))
                result.append(u' ');
            ++at;
            continue;
        }
        const QString *meaning = nullptr;
        for (const auto &[word, reading] : list) {
            if (at + word.size() <= n && readable[std::size_t(at + word.size())] &&
                QStringView(plain).mid(at).startsWith(word)) {
                meaning = &reading;
                at += word.size();
                break;
            }
        }
        if (!meaning) {
            // Name the place where reading word by word gets stuck.
            qsizetype length = 0;
            while (at < n && (plain[at] == u'/' || longestAt(list, plain, at, &length))) {
                at += plain[at] == u'/' ? 1 : length;
                length = 0;
            }
            throw QuarvelError(QStringLiteral("„%1…“ beginnt mit keinem Wort des "
                                              "Buchstabieralphabets.")
                                   .arg(plain.mid(at, 12)));
        }
        result.append(*meaning);
    }
    return result.trimmed();
}

// --- number words -----------------------------------------------------------------------------

struct Language
{
    const char16_t *name;
    const char16_t *words[21]; // 0 to 20
};

const Language kLanguages[] = {
    {u"de",
     {u"null",     u"eins",     u"zwei",     u"drei",     u"vier",     u"fünf",     u"sechs",
      u"sieben",   u"acht",     u"neun",     u"zehn",     u"elf",      u"zwölf",    u"dreizehn",
      u"vierzehn", u"fünfzehn", u"sechzehn", u"siebzehn", u"achtzehn", u"neunzehn", u"zwanzig"}},
    {u"en",
     {u"zero",     u"one",     u"two",     u"three",     u"four",     u"five",     u"six",
      u"seven",    u"eight",   u"nine",    u"ten",       u"eleven",   u"twelve",   u"thirteen",
      u"fourteen", u"fifteen", u"sixteen", u"seventeen", u"eighteen", u"nineteen", u"twenty"}},
    {u"fr", {u"zéro",     u"un",     u"deux",  u"trois",    u"quatre",   u"cinq",     u"six",
             u"sept",     u"huit",   u"neuf",  u"dix",      u"onze",     u"douze",    u"treize",
             u"quatorze", u"quinze", u"seize", u"dix-sept", u"dix-huit", u"dix-neuf", u"vingt"}},
    {u"nl",
     {u"nul",      u"een",      u"twee",    u"drie",      u"vier",     u"vijf",      u"zes",
      u"zeven",    u"acht",     u"negen",   u"tien",      u"elf",      u"twaalf",    u"dertien",
      u"veertien", u"vijftien", u"zestien", u"zeventien", u"achttien", u"negentien", u"twintig"}},
};

const Language &chosenLanguage(const ParamValues &values)
{
    const QString name = textParam(values, QStringLiteral("sprache"));
    for (const Language &language : kLanguages) {
        if (name == QString::fromUtf16(language.name))
            return language;
    }
    return kLanguages[0];
}

QString foldedNumberWord(const char16_t *word)
{
    return folded(QString::fromUtf16(word));
}

// Numbers up to 20 as one word, longer ones digit by digit; every other character stays.
QString numberWordsEncode(const QString &text, const ParamValues &values)
{
    const Language &language = chosenLanguage(values);
    QStringList out;
    QString other;
    for (qsizetype i = 0; i < text.size();) {
        if (!(text[i] >= u'0' && text[i] <= u'9')) {
            if (!text[i].isSpace())
                other.append(text[i]);
            else if (!other.isEmpty())
                out.append(std::exchange(other, {}));
            ++i;
            continue;
        }
        if (!other.isEmpty())
            out.append(std::exchange(other, {}));
        qsizetype end = i;
        while (end < text.size() && text[end] >= u'0' && text[end] <= u'9')
            ++end;
        const QString digits = text.mid(i, end - i);
        const int value = digits.size() <= 2 ? digits.toInt() : 99;
        if (value <= 20 && (digits.size() == 1 || digits[0] != u'0')) {
            out.append(QString::fromUtf16(language.words[value]));
        } else {
            for (const QChar d : digits)
                out.append(QString::fromUtf16(language.words[d.unicode() - u'0']));
        }
        i = end;
    }
    if (!other.isEmpty())
        out.append(other);
    return out.join(u' ');
}

QString numberWordsDecode(const QString &text, const ParamValues &values)
{
    const Language &language = chosenLanguage(values);
    Readings list;
    for (int n = 0; n <= 20; ++n)
        list.emplace_back(foldedNumberWord(language.words[n]), QString::number(n));
    if (language.name == std::u16string_view(u"de"))
        list.emplace_back(QStringLiteral("ZWO"), QStringLiteral("2"));
    std::stable_sort(list.begin(), list.end(),
                     [](const auto &a, const auto &b) { return a.first.size() > b.first.size(); });
    // A number word never spans a blank: "fünf zehn" is 5 10, "fünfzehn" 15.
    QStringList numbers;
    for (const QString &part :
         text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        const QString plain = folded(part);
        for (qsizetype at = 0; at < plain.size();) {
            qsizetype length = 0;
            if (const QString *meaning = longestAt(list, plain, at, &length)) {
                numbers.append(*meaning);
                at += length;
            } else {
                ++at; // running text between the number words
            }
        }
    }
    if (numbers.isEmpty())
        throw QuarvelError(QStringLiteral("Im Text steht kein Zahlwort."));
    return numbers.join(u' ');
}

} // namespace

Cipher buchstabieralphabetCipher()
{
    QStringList names;
    for (const Alphabet &alphabet : alphabets())
        names.append(QString::fromUtf16(alphabet.name));
    return Cipher {QStringLiteral("buchstabieralphabet"),
                   QStringLiteral("Buchstabieralphabet"),
                   QStringLiteral("Jeder Buchstabe sein Wort: NATO/ICAO (Alfa, Bravo …), DIN 5009 "
                                  "(Aachen, Berlin …) oder das alte deutsche (Anton, Berta …)."),
                   {choiceDecl(QStringLiteral("alphabet"), QStringLiteral("Alphabet"), names,
                               QStringLiteral("nato, din5009 oder din5009alt"))},
                   Keying::None,
                   spellEncode,
                   spellDecode};
}

Cipher zahlwoerterCipher()
{
    QStringList names;
    for (const Language &language : kLanguages)
        names.append(QString::fromUtf16(language.name));
    return Cipher {QStringLiteral("zahlwoerter"),
                   QStringLiteral("Zahlwörter"),
                   QStringLiteral("Zahlen bis 20 als Wort, längere Ziffer für Ziffer; "
                                  "Entschlüsseln findet die Wörter auch ohne Leerzeichen."),
                   {choiceDecl(QStringLiteral("sprache"), QStringLiteral("Sprache"), names,
                               QStringLiteral("de, en, fr oder nl"))},
                   Keying::None,
                   numberWordsEncode,
                   numberWordsDecode};
}

} // namespace Ciphers
