// Letters and digits as what a display, a calculator, a Braille cell or the periodic table shows,
// and the year hidden in a chronogram.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"

#include <algorithm>
#include <array>

namespace Ciphers {
namespace {

// Groups one blank apart, words " / " apart; `code` gives the group of one character as a view
// into a table, so a megabyte of text makes no string per character.
template<typename Code> QString groupsOf(const QString &text, Code code)
{
    QString result;
    result.reserve(text.size() * 6);
    bool gap = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace()) {
            gap = !result.isEmpty();
            continue;
        }
        const QStringView group = code(text[i], i);
        if (!result.isEmpty())
            result.append(gap ? QStringView(u" / ") : QStringView(u" "));
        gap = false;
        result.append(group);
    }
    return result;
}

// The groups of `text` decoded one by one; "/" (alone or between groups) is a word break.
// Written straight into one buffer: the result is never longer than the text.
template<typename Decode> QString ungroup(const QString &text, Decode decode)
{
    QString result(text.size(), Qt::Uninitialized);
    QChar *const begin = result.data();
    QChar *out = begin;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == u'/') {
            if (out != begin && out[-1] != u' ')
                *out++ = u' ';
            ++i;
            continue;
        }
        if (text[i].isSpace()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && !text[i].isSpace() && text[i] != u'/')
            ++i;
        *out++ = decode(QStringView(text).mid(start, i - start));
    }
    while (out != begin && out[-1] == u' ')
        --out;
    result.truncate(out - begin);
    return result;
}

// The bits of a group whose characters each stand for one bit ("acd", "1-3-4"); -1 when a
// character is foreign or comes twice.
int groupBits(QStringView word, char16_t first, char16_t last, char16_t ignored)
{
    int bits = 0;
    for (const QChar c : word) {
        // Only ASCII letters lower to a..g, so the ASCII rule is the whole rule here.
        char16_t u = c.unicode();
        if (u >= u'A' && u <= u'Z')
            u = char16_t(u + 32);
        if (u == ignored)
            continue;
        if (u < first || u > last || (bits & (1 << (u - first))))
            return -1;
        bits |= 1 << (u - first);
    }
    return bits;
}

int bitsOf(const char *characters, char16_t first)
{
    int bits = 0;
    for (const char *c = characters; *c; ++c)
        bits |= 1 << (*c - first);
    return bits;
}

// --- calculator words ------------------------------------------------------------------------

// The digit that, turned upside down, shows the letter; "g" and "G" are different digits.
int calculatorDigit(QChar c)
{
    switch (c.unicode()) {
    case u'O':
    case u'o':
        return 0;
    case u'I':
    case u'i':
        return 1;
    case u'E':
    case u'e':
        return 3;
    case u'h':
    case u'H':
        return 4;
    case u'S':
    case u's':
        return 5;
    case u'g':
        return 6;
    case u'L':
    case u'l':
        return 7;
    case u'B':
    case u'b':
        return 8;
    case u'G':
        return 9;
    default:
        return -1;
    }
}

constexpr char16_t kUpsideDown[] = u"OI?EhSgLBG";

// The display is read turned round, so the last digit becomes the first letter.
QString beghilosEncode(const QString &text, const ParamValues &)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const QChar c = text[i];
        const int digit = calculatorDigit(c);
        if (digit < 0 && letterIndex(c) >= 0)
            throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 zeigt kein Taschenrechner "
                                              "(nur B E G g h I L O S).")
                                   .arg(c)
                                   .arg(i + 1));
        result.append(digit < 0 ? c : QChar(u'0' + digit));
    }
    return result;
}

QString beghilosDecode(const QString &text, const ParamValues &)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const QChar c = text[i];
        if (c == u'2')
            throw QuarvelError(QStringLiteral("Die 2 an Stelle %1 ergibt umgedreht keinen "
                                              "Buchstaben.")
                                   .arg(i + 1));
        result.append(c >= u'0' && c <= u'9' ? QChar(kUpsideDown[c.unicode() - u'0']) : c);
    }
    return result;
}

// --- seven-segment display --------------------------------------------------------------------

struct Segments
{
    char16_t character;
    const char *segments;
};

// The digits first: a pattern both a digit and a letter show (S, Z) reads as the digit.
constexpr Segments kSegments[] = {
    {u'0', "abcdef"}, {u'1', "bc"},     {u'2', "abdeg"}, {u'3', "abcdg"},   {u'4', "bcfg"},
    {u'5', "acdfg"},  {u'6', "acdefg"}, {u'7', "abc"},   {u'8', "abcdefg"}, {u'9', "abcdfg"},
    {u'A', "abcefg"}, {u'B', "cdefg"},  {u'C', "adef"},  {u'D', "bcdeg"},   {u'E', "adefg"},
    {u'F', "aefg"},   {u'G', "acdef"},  {u'H', "bcefg"}, {u'I', "ef"},      {u'J', "bcde"},
    {u'L', "def"},    {u'N', "ceg"},    {u'O', "cdeg"},  {u'P', "abefg"},   {u'Q', "abcfg"},
    {u'R', "eg"},     {u'S', "acdfg"},  {u'T', "defg"},  {u'U', "bcdef"},   {u'Y', "bcdfg"},
    {u'Z', "abdeg"},  {u'-', "g"},
};

QString segmentEncode(const QString &text, const ParamValues &)
{
    // the lit segments of every ASCII character, empty where the display cannot show it
    static const std::array<QString, 128> segmentsOf = [] {
        std::array<QString, 128> table;
        for (auto it = std::rbegin(kSegments); it != std::rend(kSegments); ++it)
            table[it->character] = QString::fromLatin1(it->segments);
        return table;
    }();
    return groupsOf(text, [](QChar c, qsizetype i) -> QStringView {
        const char16_t upper = isLower(c) ? char16_t(c.unicode() - 32) : c.unicode();
        if (upper < 128 && !segmentsOf[upper].isEmpty())
            return segmentsOf[upper];
        throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 lässt sich mit sieben Segmenten "
                                          "nicht darstellen.")
                               .arg(c)
                               .arg(i + 1));
    });
}

QString segmentDecode(const QString &text, const ParamValues &)
{
    static const std::array<QChar, 128> characterOf = [] {
        std::array<QChar, 128> table {};
        for (auto it = std::rbegin(kSegments); it != std::rend(kSegments); ++it)
            table[std::size_t(bitsOf(it->segments, u'a'))] = QChar(it->character); // digits win
        return table;
    }();
    return ungroup(text, [](QStringView word) {
        const int bits = groupBits(word, u'a', u'g', 0);
        if (bits <= 0 || characterOf[std::size_t(bits)].isNull())
            throw QuarvelError(QStringLiteral("„%1“ ist kein Zeichen der Sieben-Segment-Anzeige.")
                                   .arg(word.left(20)));
        return characterOf[std::size_t(bits)];
    });
}

// --- Braille dot numbers ----------------------------------------------------------------------

struct Cell
{
    char16_t letter;
    const char *dots;
};

// Dots 1-2-3 down the left column, 4-5-6 down the right, as German Braille writes the letters.
constexpr Cell kCells[] = {
    {u'A', "1"},     {u'B', "12"},   {u'C', "14"},  {u'D', "145"},  {u'E', "15"},    {u'F', "124"},
    {u'G', "1245"},  {u'H', "125"},  {u'I', "24"},  {u'J', "245"},  {u'K', "13"},    {u'L', "123"},
    {u'M', "134"},   {u'N', "1345"}, {u'O', "135"}, {u'P', "1234"}, {u'Q', "12345"}, {u'R', "1235"},
    {u'S', "234"},   {u'T', "2345"}, {u'U', "136"}, {u'V', "1236"}, {u'W', "2456"},  {u'X', "1346"},
    {u'Y', "13456"}, {u'Z', "1356"}, {u'Ä', "345"}, {u'Ö', "246"},  {u'Ü', "1256"},  {u'ß', "2346"},
};

QString brailleEncode(const QString &text, const ParamValues &)
{
    // the dot numbers of each cell joined by "-" ("1-3-4"), in the order of kCells
    static const std::array<QString, std::size(kCells)> written = [] {
        std::array<QString, std::size(kCells)> table;
        for (std::size_t k = 0; k < std::size(kCells); ++k) {
            for (const char *dot = kCells[k].dots; *dot; ++dot) {
                if (dot != kCells[k].dots)
                    table[k].append(u'-');
                table[k].append(QLatin1Char(*dot));
            }
        }
        return table;
    }();
    return groupsOf(text, [](QChar c, qsizetype i) -> QStringView {
        const char16_t upper = c == u'ß' ? c.unicode() : c.toUpper().unicode();
        // kCells begins with A to Z in order.
        if (const int index = letterIndex(c); index >= 0)
            return written[std::size_t(index)];
        for (std::size_t k = 26; k < std::size(kCells); ++k) {
            if (kCells[k].letter == upper)
                return written[k];
        }
        throw QuarvelError(
            QStringLiteral("„%1“ an Stelle %2 ist kein Buchstabe der Brailleschrift.")
                .arg(c)
                .arg(i + 1));
    });
}

QString brailleDecode(const QString &text, const ParamValues &)
{
    static const std::array<QChar, 64> letterOf = [] {
        std::array<QChar, 64> table {};
        for (const Cell &cell : kCells)
            table[std::size_t(bitsOf(cell.dots, u'1'))] = QChar(cell.letter);
        return table;
    }();
    return ungroup(text, [](QStringView word) {
        const int bits = groupBits(word, u'1', u'6', u'-');
        if (bits <= 0 || letterOf[std::size_t(bits)].isNull())
            throw QuarvelError(QStringLiteral("„%1“ sind keine Punkte eines Braille-Buchstabens.")
                                   .arg(word.left(20)));
        return letterOf[std::size_t(bits)];
    });
}

// --- chronogram -------------------------------------------------------------------------------

int romanValue(char16_t c, bool uAsV, bool jAsI)
{
    switch (c) {
    case u'I':
        return 1;
    case u'V':
        return 5;
    case u'X':
        return 10;
    case u'L':
        return 50;
    case u'C':
        return 100;
    case u'D':
        return 500;
    case u'M':
        return 1000;
    case u'U':
        return uAsV ? 5 : 0;
    case u'J':
        return jAsI ? 1 : 0;
    default:
        return 0;
    }
}

// The year a chronogram hides is the sum of its numeral letters. A number has countless
// chronograms, so both directions give the sum.
QString chronogramSum(const QString &text, const ParamValues &values)
{
    const bool capitalsOnly = switchParam(values, QStringLiteral("grossbuchstaben"));
    const bool uAsV = switchParam(values, QStringLiteral("u"));
    const bool jAsI = switchParam(values, QStringLiteral("j"));
    qint64 sum = 0;
    for (const QChar c : text) {
        if (capitalsOnly && isLower(c))
            continue;
        const int index = letterIndex(c);
        if (index >= 0)
            sum += romanValue(char16_t(u'A' + index), uAsV, jAsI);
    }
    return QString::number(sum);
}

// --- element symbols --------------------------------------------------------------------------

constexpr const char *kElements[] = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si", "P",
    "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn",
    "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru", "Rh",
    "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd",
    "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",  "Re",
    "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac", "Th",
    "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md", "No", "Lr", "Rf", "Db",
    "Sg", "Bh", "Hs", "Mt", "Ds", "Rg", "Cn", "Nh", "Fl", "Mc", "Lv", "Ts", "Og"};
constexpr int kElementCount = int(std::size(kElements));
constexpr int kMostSplits = 20;
constexpr qsizetype kLongestWord = 200; // the depth of the search

QString elementEncode(const QString &text, const ParamValues &)
{
    QString symbols;
    symbols.reserve(text.size());
    forEachWord(
        text,
        [&](QStringView word, qsizetype) {
            bool ok = false;
            const int number = word.toInt(&ok);
            if (!ok || number < 1 || number > kElementCount)
                throw QuarvelError(QStringLiteral("„%1“ ist keine Ordnungszahl von 1 bis %2.")
                                       .arg(word)
                                       .arg(kElementCount));
            if (!symbols.isEmpty())
                symbols.append(u' ');
            symbols.append(QLatin1String(kElements[number - 1]));
        },
        u",");
    return symbols;
}

// The atomic number of a symbol of one or two letters, 0 for none; a table by the letters'
// indices instead of a search through 118 names for every place of a megabyte of text.
int elementNumber(QStringView symbol, Qt::CaseSensitivity cs)
{
    static const std::array<int, 27 * 26> numbers = [] {
        std::array<int, 27 * 26> table {};
        for (int i = 0; i < kElementCount; ++i) {
            const char *name = kElements[i];
            table[std::size_t((name[1] ? name[1] - 'a' + 1 : 0) * 26 + name[0] - 'A')] = i + 1;
        }
        return table;
    }();
    const int first = letterIndex(symbol[0]);
    const int second = symbol.size() > 1 ? letterIndex(symbol[1]) : -1;
    if (first < 0 || (symbol.size() > 1 && second < 0))
        return 0;
    if (cs == Qt::CaseSensitive && (isLower(symbol[0]) || (second >= 0 && !isLower(symbol[1]))))
        return 0;
    return numbers[std::size_t((second + 1) * 26 + first)];
}

// The search state of one word, kept from word to word so a megabyte of words allocates
// nothing per word.
struct SplitSearch
{
    std::vector<int> chosen;
    std::vector<std::vector<int>> found; // the first `foundCount` are this word's splits
    std::size_t foundCount = 0;
    std::vector<bool> deadEnd;
};

// Every way to cut `word` into symbols, at most kMostSplits. A word in mixed case is read as
// written ("CoO" is cobalt and oxygen); in one case it is not, since puzzles often write in
// capitals ("COO" may also be carbon, oxygen, oxygen).
// `deadEnd` marks the places from which no split reaches the end, so a word like "COCOCOQ" is
// given up in linear time.
bool splits(QStringView word, Qt::CaseSensitivity cs, qsizetype at, SplitSearch &search)
{
    if (search.foundCount > std::size_t(kMostSplits))
        return true;
    if (at == word.size()) {
        if (search.found.size() == search.foundCount)
            search.found.emplace_back();
        search.found[search.foundCount++] = search.chosen;
        return true;
    }
    if (search.deadEnd[std::size_t(at)])
        return false;
    bool any = false;
    for (qsizetype length = 1; length <= 2 && at + length <= word.size(); ++length) {
        const int number = elementNumber(word.mid(at, length), cs);
        if (number == 0)
            continue;
        search.chosen.push_back(number);
        any = splits(word, cs, at + length, search) || any;
        search.chosen.pop_back();
    }
    search.deadEnd[std::size_t(at)] = !any;
    return any;
}

// Whether the word has both capitals and small letters ("CoO"), read as written then.
bool mixedCase(QStringView word)
{
    bool upper = false, lower = false;
    for (const QChar c : word) {
        upper = upper || c.isUpper();
        lower = lower || c.isLower();
    }
    return upper && lower;
}

void appendNumbers(QString &out, const std::vector<int> &numbers)
{
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        if (k > 0)
            out.append(u' ');
        appendDecimal(out, quint64(numbers[k]));
    }
}

QString elementDecode(const QString &text, const ParamValues &)
{
    QString out;
    out.reserve(text.size() * 2);
    SplitSearch search;
    forEachWord(
        text,
        [&](QStringView word, qsizetype) {
            if (word.size() > kLongestWord)
                throw QuarvelError(QStringLiteral("„%1…“ ist zu lang zum Zerlegen: höchstens %2 "
                                                  "Buchstaben am Stück.")
                                       .arg(word.left(20))
                                       .arg(kLongestWord));
            search.foundCount = 0;
            search.deadEnd.assign(std::size_t(word.size()), false);
            splits(word, mixedCase(word) ? Qt::CaseSensitive : Qt::CaseInsensitive, 0, search);
            if (search.foundCount == 0)
                throw QuarvelError(
                    QStringLiteral("„%1“ lässt sich nicht in Elementsymbole zerlegen.")
                        .arg(word.left(40)));
            if (!out.isEmpty())
                out.append(u' ');
            if (search.foundCount == 1) {
                appendNumbers(out, search.found.front());
                return;
            }
            const std::size_t shown = std::min(search.foundCount, std::size_t(kMostSplits));
            out.append(u'[');
            for (std::size_t k = 0; k < shown; ++k) {
                if (k > 0)
                    out.append(QStringView(u" | "));
                appendNumbers(out, search.found[k]);
            }
            if (search.foundCount > std::size_t(kMostSplits))
                out.append(QStringView(u" | …"));
            out.append(u']');
        },
        u"");
    return out;
}

} // namespace

Cipher beghilosCipher()
{
    return Cipher {
        QStringLiteral("beghilos"),
        QStringLiteral("Taschenrechner-Wörter"),
        QStringLiteral("Ziffern auf dem Kopf gelesen (0 O, 1 I, 3 E, 4 h, 5 S, 6 g, 7 L, "
                       "8 B, 9 G), die letzte Ziffer zuerst."),
        {},
        Keying::None,
        beghilosEncode,
        beghilosDecode};
}

Cipher segmentCipher()
{
    return Cipher {QStringLiteral("segment"),
                   QStringLiteral("Sieben-Segment-Anzeige"),
                   QStringLiteral("Jedes Zeichen die Buchstaben seiner leuchtenden Segmente a–g "
                                  "(„abcdef“ = 0); S und Z lesen sich als 5 und 2."),
                   {},
                   Keying::None,
                   segmentEncode,
                   segmentDecode};
}

Cipher braillepunkteCipher()
{
    return Cipher {QStringLiteral("braillepunkte"),
                   QStringLiteral("Braille-Punktnummern"),
                   QStringLiteral("Jeder Buchstabe die Nummern seiner Punkte (M = 1-3-4), deutsche "
                                  "Brailleschrift mit Ä, Ö, Ü und ß."),
                   {},
                   Keying::None,
                   brailleEncode,
                   brailleDecode};
}

Cipher chronogrammCipher()
{
    return Cipher {
        QStringLiteral("chronogramm"),
        QStringLiteral("Chronogramm"),
        QStringLiteral("Die Summe der römischen Zahlbuchstaben I V X L C D M im Text "
                       "(beide Richtungen)."),
        {switchDecl(QStringLiteral("grossbuchstaben"), QStringLiteral("Nur Großbuchstaben"),
                    QStringLiteral("Kleinbuchstaben zählen nicht")),
         switchDecl(QStringLiteral("u"), QStringLiteral("U als V"),
                    QStringLiteral("U zählt 5 wie V")),
         switchDecl(QStringLiteral("j"), QStringLiteral("J als I"),
                    QStringLiteral("J zählt 1 wie I"))},
        Keying::None,
        chronogramSum,
        chronogramSum};
}

Cipher elementeCipher()
{
    return Cipher {QStringLiteral("elemente"),
                   QStringLiteral("Elementsymbole"),
                   QStringLiteral("Ordnungszahlen 1–118 als Symbole des Periodensystems; "
                                  "Entschlüsseln zerlegt Buchstaben in Symbole, jede Zerlegung "
                                  "in [ | ]."),
                   {},
                   Keying::None,
                   elementEncode,
                   elementDecode};
}

} // namespace Ciphers
