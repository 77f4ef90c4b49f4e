// The book code: positions of words or letters in a source text both sides own.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

#include <algorithm>
#include <limits>

namespace Ciphers {
namespace {

constexpr QLatin1String kText("text");
constexpr QLatin1String kFile("datei");
constexpr QLatin1String kSchema("schema");
constexpr QLatin1String kBlanks("leerzeichen");
constexpr QLatin1String kPunctuation("satzzeichen");
constexpr QLatin1String kEmptyLines("leerzeilen");
constexpr QLatin1String kInitials("anfang");

// A book is a few megabytes at most; more is a wrong file.
constexpr qint64 kMaxSourceBytes = qint64(16) << 20;

enum class Schema { Word, Letter, LineWord, LineWordLetter };

Schema schemaOf(const ParamValues &values)
{
    const QString name = textParam(values, kSchema);
    if (name == u"buchstabe")
        return Schema::Letter;
    if (name == u"zeile-wort")
        return Schema::LineWord;
    if (name == u"zeile-wort-buchstabe")
        return Schema::LineWordLetter;
    return Schema::Word;
}

int partsOf(Schema schema)
{
    switch (schema) {
    case Schema::Word:
    case Schema::Letter:
        return 1;
    case Schema::LineWord:
        return 2;
    case Schema::LineWordLetter:
        return 3;
    }
    return 1;
}

bool isLetterLike(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

// One countable piece of the source and where it stands, counted from 1.
struct Piece
{
    QString text;
    int line = 0;
    int word = 0;
    int letter = 0;
};

// The source cut into what the schema counts, with the counting options applied.
struct Source
{
    QList<QStringList> lines; // the words of every line that counts
    QList<Piece> letters; // for the letter schema: every character that counts
};

QString sourceText(const ParamValues &values)
{
    const QString text = textParam(values, kText);
    const QString path = textParam(values, kFile);
    if (!text.isEmpty() && !path.isEmpty())
        throw QuarvelError(QStringLiteral("Nur eine Quelle angeben: Text oder Datei."));
    if (path.isEmpty()) {
        if (text.isEmpty())
            throw QuarvelError(QStringLiteral("Keine Quelle: einen Text oder eine Datei angeben."));
        return text;
    }
    // A device or a pipe ("/dev/stdin", "/dev/zero") would never end or block the reader.
    if (!QFileInfo(path).isFile())
        throw QuarvelError(QStringLiteral("Die Quelldatei „%1“ gibt es nicht oder sie ist keine "
                                          "gewöhnliche Datei.")
                               .arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QuarvelError(QStringLiteral("Die Quelldatei „%1“ lässt sich nicht öffnen: %2")
                               .arg(path, file.errorString()));
    const QByteArray data = file.read(kMaxSourceBytes + 1);
    if (data.size() > kMaxSourceBytes)
        throw QuarvelError(QStringLiteral("Die Quelldatei „%1“ ist größer als 16 MB.").arg(path));
    if (file.error() != QFileDevice::NoError)
        throw QuarvelError(QStringLiteral("Die Quelldatei „%1“ lässt sich nicht lesen: %2")
                               .arg(path, file.errorString()));
    return QString::fromUtf8(data);
}

Source readSource(const ParamValues &values, Schema schema)
{
    const bool blanks = switchParam(values, kBlanks);
    const bool punctuation = switchParam(values, kPunctuation);
    const bool emptyLines = switchParam(values, kEmptyLines);
    QString text = sourceText(values).normalized(QString::NormalizationForm_C);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    Source source;
    for (const QString &raw : text.split(u'\n')) {
        QStringList words;
        for (const QString &token : raw.simplified().split(u' ', Qt::SkipEmptyParts)) {
            QString word;
            for (const QChar c : token) {
                if (punctuation || isLetterLike(c))
                    word += c;
            }
            if (!word.isEmpty())
                words.append(word);
        }
        const bool empty = raw.trimmed().isEmpty();
        if (empty && !emptyLines)
            continue;
        if (schema == Schema::Letter) {
            if (blanks && !source.lines.isEmpty())
                source.letters.append({QStringLiteral(" "), 0, 0, 0});
            for (const QChar c : raw) {
                const bool counts = c.isSpace() ? blanks : (isLetterLike(c) || punctuation);
                if (counts)
                    source.letters.append({QString(c.isSpace() ? QChar(u' ') : c), 0, 0, 0});
            }
        }
        source.lines.append(words);
    }
    const bool none = schema == Schema::Letter
        ? source.letters.isEmpty()
        : std::all_of(source.lines.begin(), source.lines.end(),
                      [](const QStringList &words) { return words.isEmpty(); });
    if (none)
        throw QuarvelError(QStringLiteral("Die Quelle ist leer: sie hat nichts, was zählt."));
    return source;
}

// The numbers of the text in order; any run of blanks and . , ; : / - separates them.
QList<int> positionsOf(const QString &text)
{
    QList<int> numbers;
    qint64 value = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const QChar c = i < text.size() ? text.at(i) : QChar(u' ');
        if (c >= u'0' && c <= u'9') {
            // Beyond every source: capped, it reads as "past the end" and never overflows.
            value = std::min<qint64>(std::max<qint64>(value, 0) * 10 + (c.unicode() - u'0'),
                                     std::numeric_limits<int>::max());
            continue;
        }
        if (!c.isSpace() && !QStringLiteral(".,;:/-").contains(c))
            throw QuarvelError(QStringLiteral("Zeichen %1 („%2“) ist keine Ziffer und kein "
                                              "Trennzeichen der Positionen.")
                                   .arg(i + 1)
                                   .arg(c));
        if (value >= 0)
            numbers.append(int(value));
        value = -1;
    }
    return numbers;
}

// The entry at a position counted from 1, or the error that names what is missing.
template<typename List>
auto at(const List &list, int position, const QString &what, const QString &where)
{
    if (position < 1)
        throw QuarvelError(QStringLiteral("%1 0 gibt es nicht: gezählt wird ab 1.").arg(what));
    if (position > list.size())
        throw QuarvelError(QStringLiteral("%1 %2 gibt es nicht: %3 hat nur %4.")
                               .arg(what)
                               .arg(position)
                               .arg(where)
                               .arg(list.size()));
    return list.at(position - 1);
}

QStringList allWords(const Source &source)
{
    QStringList words;
    for (const QStringList &line : source.lines)
        words += line;
    return words;
}

QString bookDecode(const QString &text, const ParamValues &values)
{
    const Schema schema = schemaOf(values);
    const Source source = readSource(values, schema);
    const QList<int> numbers = positionsOf(text);
    const int parts = partsOf(schema);
    if (numbers.size() % parts != 0)
        throw QuarvelError(QStringLiteral("%1 Zahlen passen nicht zum Schema: je Position "
                                          "sind es %2.")
                               .arg(numbers.size())
                               .arg(parts));
    const bool initials = switchParam(values, kInitials);
    const QStringList words = schema == Schema::Word ? allWords(source) : QStringList();
    QStringList found;
    for (qsizetype i = 0; i < numbers.size(); i += parts) {
        QString piece;
        switch (schema) {
        case Schema::Letter:
            piece = at(source.letters, numbers[i], QStringLiteral("Zeichen"),
                       QStringLiteral("die Quelle"))
                        .text;
            break;
        case Schema::Word:
            piece = at(words, numbers[i], QStringLiteral("Wort"), QStringLiteral("die Quelle"));
            break;
        case Schema::LineWord:
        case Schema::LineWordLetter: {
            const QStringList &line =
                at(source.lines, numbers[i], QStringLiteral("Zeile"), QStringLiteral("die Quelle"));
            piece = at(line, numbers[i + 1], QStringLiteral("Wort"),
                       QStringLiteral("Zeile %1").arg(numbers[i]));
            if (schema == Schema::LineWordLetter)
                piece = at(piece, numbers[i + 2], QStringLiteral("Zeichen"),
                           QStringLiteral("Zeile %1, Wort %2").arg(numbers[i]).arg(numbers[i + 1]));
            break;
        }
        }
        found.append(initials && piece.size() > 1 &&
                             (schema == Schema::Word || schema == Schema::LineWord)
                         ? piece.left(1)
                         : piece);
    }
    const bool wholeWords = !initials && (schema == Schema::Word || schema == Schema::LineWord);
    return found.join(wholeWords ? QStringLiteral(" ") : QString());
}

// Where the first fitting piece stands, as "line.word.letter" with the parts of the schema.
QString bookEncode(const QString &text, const ParamValues &values)
{
    const Schema schema = schemaOf(values);
    const Source source = readSource(values, schema);
    const bool initials = switchParam(values, kInitials);
    // Single characters are looked up (the letters, or the first letters with "anfang"), or
    // whole words.
    const bool byLetter = schema == Schema::Letter || schema == Schema::LineWordLetter || initials;
    // The first place of every piece, found in one pass over the source: a long text is
    // looked up, not searched for each of its pieces. Backwards, so the first place is written
    // last and stays.
    QHash<char16_t, QString> firstOfChar;
    QHash<QString, QString> firstOfWord;
    const auto note = [&](const QString &piece, const QString &position) {
        if (byLetter)
            firstOfChar.insert(piece.at(0).toCaseFolded().unicode(), position);
        else
            firstOfWord.insert(piece.toCaseFolded(), position);
    };
    if (schema == Schema::Letter) {
        for (qsizetype k = source.letters.size(); k-- > 0;)
            note(source.letters[k].text, QString::number(k + 1));
    } else {
        qsizetype counted = 0;
        for (const QStringList &line : source.lines)
            counted += line.size();
        for (qsizetype l = source.lines.size(); l-- > 0;) {
            const QStringList &line = source.lines[l];
            for (qsizetype w = line.size(); w-- > 0; --counted) {
                const QString &word = line[w];
                const QString place = schema == Schema::Word
                    ? QString::number(counted)
                    : QStringLiteral("%1.%2").arg(l + 1).arg(w + 1);
                if (schema == Schema::LineWordLetter) {
                    for (qsizetype c = word.size(); c-- > 0;)
                        note(word.sliced(c, 1), QStringLiteral("%1.%2").arg(place).arg(c + 1));
                } else {
                    note(initials ? word.left(1) : word, place);
                }
            }
        }
    }
    QString out;
    const auto append = [&out](const QString &place) {
        if (!out.isEmpty())
            out += u' ';
        out += place;
    };
    const auto missing = [](const QString &piece) {
        return QuarvelError(QStringLiteral("„%1“ kommt in der Quelle nicht vor.").arg(piece));
    };
    const QString normal = text.normalized(QString::NormalizationForm_C);
    if (byLetter) {
        const bool blanks = schema == Schema::Letter && switchParam(values, kBlanks);
        for (const QChar c : normal) {
            if (c.isSpace() && !blanks)
                continue;
            const QChar piece = c.isSpace() ? QChar(u' ') : c;
            const auto place = firstOfChar.constFind(piece.toCaseFolded().unicode());
            if (place == firstOfChar.constEnd())
                throw missing(QString(piece));
            append(*place);
        }
        return out;
    }
    const bool punctuation = switchParam(values, kPunctuation);
    for (const QString &token : normal.simplified().split(u' ', Qt::SkipEmptyParts)) {
        QString word;
        for (const QChar c : token)
            if (punctuation || isLetterLike(c))
                word += c;
        if (word.isEmpty())
            continue;
        const auto place = firstOfWord.constFind(word.toCaseFolded());
        if (place == firstOfWord.constEnd())
            throw missing(word);
        append(*place);
    }
    return out;
}

} // namespace

Cipher buchcodeCipher()
{
    const auto textDecl = [](const QString &key, const QString &label, const QString &help) {
        return ParamDecl {key, label, ParamKind::Text, {}, {}, 0, 0, help};
    };
    return Cipher {
        QStringLiteral("buchcode"),
        QStringLiteral("Buchcode"),
        QStringLiteral("Zahlen als Stellen in einem Quelltext: Wort, Zeichen, Zeile-Wort oder "
                       "Zeile-Wort-Zeichen, gezählt ab 1."),
        {textDecl(kText, QStringLiteral("Quelltext"),
                  QStringLiteral("der Text, in dem gezählt wird")),
         textDecl(kFile, QStringLiteral("Quelldatei"),
                  QStringLiteral("Datei (UTF-8) mit dem Quelltext, statt --text")),
         choiceDecl(kSchema, QStringLiteral("Schema"),
                    {QStringLiteral("wort"), QStringLiteral("buchstabe"),
                     QStringLiteral("zeile-wort"), QStringLiteral("zeile-wort-buchstabe")},
                    QStringLiteral("was die Zahlen zählen; mehrteilige Stellen wie 3.2.1")),
         switchDecl(kBlanks, QStringLiteral("Leerzeichen zählen"),
                    QStringLiteral("beim Schema buchstabe zählen Leerzeichen und Zeilenumbrüche "
                                   "mit")),
         switchDecl(kPunctuation, QStringLiteral("Satzzeichen zählen"),
                    QStringLiteral("Satzzeichen zählen als Zeichen und Wörter")),
         switchDecl(kEmptyLines, QStringLiteral("Leerzeilen zählen"),
                    QStringLiteral("leere Zeilen zählen als Zeilen")),
         switchDecl(kInitials, QStringLiteral("Nur Anfangsbuchstaben"),
                    QStringLiteral("bei wort und zeile-wort nur den ersten Buchstaben"))},
        Keying::Key,
        bookEncode,
        bookDecode};
}

} // namespace Ciphers
