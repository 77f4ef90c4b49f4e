// Codes for the voice: spelling alphabets and number words. Decoding reads the words also run
// together and in any case, since puzzles write them that way ("EINSZWEIDREI").
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"

#include <QHash>

#include <array>
#include <utility>
#include <vector>

namespace Ciphers {
namespace {

// Upper case with Ä Ö Ü ß written out and everything but letters, digits and "/" dropped, so
// "Köln", "KOELN" and "koeln" read alike. Appends to `out`.
void appendFolded(QString &out, QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // ASCII first: a megabyte of it must not pay for the Unicode tables.
        if (u < 128) {
            if (const int index = letterIndex(c); index >= 0)
                out.append(QChar(u'A' + index));
            else if ((u >= u'0' && u <= u'9') || u == u'/')
                out.append(c);
            continue;
        }
        switch (c.toUpper().unicode()) {
        case u'Ä':
            out.append(QStringView(u"AE"));
            continue;
        case u'Ö':
            out.append(QStringView(u"OE"));
            continue;
        case u'Ü':
            out.append(QStringView(u"UE"));
            continue;
        case u'ß':
        case u'ẞ':
            out.append(QStringView(u"SS"));
            continue;
        default:
            break;
        }
        // Other accented letters count as their base letter ("zéro" as "zero").
        const QChar base = c.decompositionTag() == QChar::Canonical ? c.decomposition().at(0) : c;
        const int index = letterIndex(base);
        if (index >= 0)
            out.append(QChar(u'A' + index));
    }
}

QString folded(QStringView text)
{
    QString out;
    out.reserve(text.size() + 8);
    appendFolded(out, text);
    return out;
}

// A word list for decoding: the folded words, longest first, each with what it stands for, and
// for each first letter the words that begin with it, so a place is compared with a few words
// instead of all of them.
struct Readings
{
    std::vector<std::pair<QString, QString>> words;
    std::array<std::vector<std::size_t>, 26> byFirstLetter;

    void add(const QString &word, const QString &meaning) { words.emplace_back(word, meaning); }

    void index()
    {
        std::stable_sort(words.begin(), words.end(), [](const auto &a, const auto &b) {
            return a.first.size() > b.first.size();
        });
        for (std::size_t k = 0; k < words.size(); ++k) {
            const int first = letterIndex(words[k].first.at(0));
            if (first >= 0)
                byFirstLetter[std::size_t(first)].push_back(k);
        }
    }

    // The words that may begin at `at` of the folded `text`, longest first.
    const std::vector<std::size_t> &candidates(QStringView text, qsizetype at) const
    {
        static const std::vector<std::size_t> none;
        const int first = letterIndex(text[at]);
        return first < 0 ? none : byFirstLetter[std::size_t(first)];
    }
};

Readings readings(const std::vector<std::pair<const char16_t *, const char16_t *>> &entries)
{
    Readings result;
    for (const auto &[word, meaning] : entries)
        result.add(folded(QStringView(word)), QString::fromUtf16(meaning));
    result.index();
    return result;
}

const QString *longestAt(const Readings &list, QStringView text, qsizetype at, qsizetype *length)
{
    for (const std::size_t k : list.candidates(text, at)) {
        const auto &[word, meaning] = list.words[k];
        if (text.mid(at).startsWith(word)) {
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
    // The same for the ASCII characters as a table: a megabyte of text has no time for a hash
    // lookup and a string per character.
    std::array<QString, 128> ascii;
    for (char16_t c = 0; c < 128; ++c)
        ascii[c] = word.value(QString(QChar(c)));
    // The old German list spells "CH" and "SCH" with one word each.
    const QStringList groups = {QStringLiteral("SCH"), QStringLiteral("CH")};
    QString out;
    out.reserve(text.size() * 8);
    bool gap = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace()) {
            gap = !out.isEmpty();
            continue;
        }
        qsizetype length = 1;
        QString spoken;
        for (const QString &group : groups) {
            if (word.contains(group) &&
                QStringView(text).mid(i, group.size()).compare(group, Qt::CaseInsensitive) == 0) {
                spoken = word.value(group);
                length = group.size();
                break;
            }
        }
        if (spoken.isEmpty()) {
            const char16_t upper =
                isLower(text[i]) ? char16_t(text[i].unicode() - 32) : text[i].unicode();
            spoken = upper < 128
                ? ascii[upper]
                : word.value(text[i] == u'ß' ? QStringLiteral("ß") : QString(text[i].toUpper()));
        }
        if (spoken.isEmpty())
            throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 hat im Buchstabieralphabet kein "
                                              "Wort.")
                                   .arg(text[i])
                                   .arg(i + 1));
        if (!out.isEmpty())
            out.append(u' ');
        if (gap)
            out.append(QStringView(u"/ "));
        gap = false;
        out.append(spoken);
        i += length - 1;
    }
    return out;
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
        for (const std::size_t k : list.candidates(plain, at)) {
            const QString &word = list.words[k].first;
            if (readable[std::size_t(at + word.size() <= n ? at + word.size() : n)] &&
                QStringView(plain).mid(at).startsWith(word)) {
                readable[std::size_t(at)] = true;
                break;
            }
        }
    }
    QString result;
    result.reserve(n / 3 + 1);
    for (qsizetype at = 0; at < n;) {
        if (plain[at] == u'/') {
            if (!result.isEmpty() && !result.endsWith(u' '))
                result.append(u' ');
            ++at;
            continue;
        }
        const QString *meaning = nullptr;
        for (const std::size_t k : list.candidates(plain, at)) {
            const auto &[word, reading] = list.words[k];
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

// Numbers up to 20 as one word, longer ones digit by digit; every other character stays.
QString numberWordsEncode(const QString &text, const ParamValues &values)
{
    const Language &language = chosenLanguage(values);
    std::array<QString, 21> words;
    for (std::size_t n = 0; n < words.size(); ++n)
        words[n] = QString::fromUtf16(language.words[n]);
    QString out;
    out.reserve(text.size() * 6);
    const auto separate = [&out] {
        if (!out.isEmpty())
            out.append(u' ');
    };
    bool inOther = false; // within a run of characters that are no digits
    for (qsizetype i = 0; i < text.size();) {
        if (!(text[i] >= u'0' && text[i] <= u'9')) {
            if (text[i].isSpace()) {
                inOther = false;
            } else {
                if (!inOther)
                    separate();
                inOther = true;
                out.append(text[i]);
            }
            ++i;
            continue;
        }
        inOther = false;
        qsizetype end = i;
        while (end < text.size() && text[end] >= u'0' && text[end] <= u'9')
            ++end;
        const QStringView digits = QStringView(text).mid(i, end - i);
        const int value = digits.size() <= 2 ? digits.toInt() : 99;
        if (value <= 20 && (digits.size() == 1 || digits[0] != u'0')) {
            separate();
            out.append(words[std::size_t(value)]);
        } else {
            for (const QChar d : digits) {
                separate();
                out.append(words[std::size_t(d.unicode() - u'0')]);
            }
        }
        i = end;
    }
    return out;
}

QString numberWordsDecode(const QString &text, const ParamValues &values)
{
    const Language &language = chosenLanguage(values);
    Readings list;
    for (int n = 0; n <= 20; ++n)
        list.add(folded(QStringView(language.words[n])), QString::number(n));
    if (language.name == std::u16string_view(u"de"))
        list.add(QStringLiteral("ZWO"), QStringLiteral("2"));
    list.index();
    // A number word never spans a blank: "fünf zehn" is 5 10, "fünfzehn" 15.
    QString numbers;
    numbers.reserve(text.size() / 2);
    QString plain;
    forEachWord(
        text,
        [&](QStringView part, qsizetype) {
            plain.clear();
            appendFolded(plain, part);
            for (qsizetype at = 0; at < plain.size();) {
                qsizetype length = 0;
                if (const QString *meaning = longestAt(list, plain, at, &length)) {
                    if (!numbers.isEmpty())
                        numbers.append(u' ');
                    numbers.append(*meaning);
                    at += length;
                } else {
                    ++at; // running text between the number words
                }
            }
        },
        u"");
    if (numbers.isEmpty())
        throw QuarvelError(QStringLiteral("Im Text steht kein Zahlwort."));
    return numbers;
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
