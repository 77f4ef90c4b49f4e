// The book code counts in a source text, T9 looks words up in a word list: both read something
// besides the text, so their cases bring their own source and list.
#include "logic/ciphers/CipherRegistry.h"
#include "logic/common/QuarvelError.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using Ciphers::ParamValues;

namespace {

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

// The result, or "!" and the message.
template<typename F> QString outcome(F run)
{
    try {
        return run();
    } catch (const QuarvelError &error) {
        return u"!"_qs + error.message();
    }
}

const QString kVerse = u("Wer reitet so spät durch Nacht und Wind?\n"
                         "\n"
                         "Es ist der Vater mit seinem Kind.");

struct Case
{
    ParamValues params;
    QString text;
    QString expected; // "!" and the message for an error
};

void run(const char *name, bool decode, const std::vector<Case> &cases)
{
    const Ciphers::Cipher &cipher = *Ciphers::findCipher(QString::fromLatin1(name));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " -> " + c.expected.toStdString());
        EXPECT_EQ(outcome([&] {
                      return decode ? cipher.decode(c.text, c.params)
                                    : cipher.encode(c.text, c.params);
                  }),
                  c.expected);
    }
}

ParamValues verse(std::initializer_list<std::pair<QString, QString>> more = {})
{
    ParamValues values(more);
    values.insert(u"text"_qs, kVerse);
    return values;
}

} // namespace

TEST(BookCode, DecodesEverySchemaAtItsLimits)
{
    run("buchcode", true,
        {
            {verse(), u("1 8"), u("Wer Wind")},
            {verse(), u("15"), u("Kind")},
            {verse(), u("0"), u("!Wort 0 gibt es nicht: gezählt wird ab 1.")},
            {verse(), u("16"), u("!Wort 16 gibt es nicht: die Quelle hat nur 15.")},
            {verse(), u("99999999999999"),
             u("!Wort 2147483647 gibt es nicht: die Quelle hat nur 15.")},
            {verse({{u"anfang"_qs, u"1"_qs}}), u("3,1,7"), u("sWu")},
            // the letter schema counts letters only, unless told otherwise
            {verse({{u"schema"_qs, u"buchstabe"_qs}}), u("1 4"), u("Wr")},
            {verse({{u"schema"_qs, u"buchstabe"_qs}, {u"leerzeichen"_qs, u"1"_qs}}), u("1 4"),
             u("W ")},
            {verse({{u"schema"_qs, u"buchstabe"_qs}}), u("58"), u("d")},
            {verse({{u"schema"_qs, u"buchstabe"_qs}}), u("59"),
             u("!Zeichen 59 gibt es nicht: die Quelle hat nur 58.")},
            {verse({{u"schema"_qs, u"buchstabe"_qs}, {u"satzzeichen"_qs, u"1"_qs}}), u("33"),
             u("?")},
            // empty lines count only when asked
            {verse({{u"schema"_qs, u"zeile-wort"_qs}}), u("2.1"), u("Es")},
            {verse({{u"schema"_qs, u"zeile-wort"_qs}, {u"leerzeilen"_qs, u"1"_qs}}), u("3.1"),
             u("Es")},
            {verse({{u"schema"_qs, u"zeile-wort"_qs}, {u"leerzeilen"_qs, u"1"_qs}}), u("2.1"),
             u("!Wort 1 gibt es nicht: Zeile 2 hat nur 0.")},
            {verse({{u"schema"_qs, u"zeile-wort"_qs}}), u("3.1"),
             u("!Zeile 3 gibt es nicht: die Quelle hat nur 2.")},
            {verse({{u"schema"_qs, u"zeile-wort"_qs}}), u("0.1"),
             u("!Zeile 0 gibt es nicht: gezählt wird ab 1.")},
            {verse({{u"schema"_qs, u"zeile-wort"_qs}}), u("1.8 1.9"),
             u("!Wort 9 gibt es nicht: Zeile 1 hat nur 8.")},
            {verse({{u"schema"_qs, u"zeile-wort"_qs}}), u("1 2 3"),
             u("!3 Zahlen passen nicht zum Schema: je Position sind es 2.")},
            {verse({{u"schema"_qs, u"zeile-wort-buchstabe"_qs}}), u("1.4.4 2.6.4"), u("tn")},
            {verse({{u"schema"_qs, u"zeile-wort-buchstabe"_qs}}), u("1.8.5"),
             u("!Zeichen 5 gibt es nicht: Zeile 1, Wort 8 hat nur 4.")},
            {verse({{u"schema"_qs, u"zeile-wort-buchstabe"_qs}, {u"satzzeichen"_qs, u"1"_qs}}),
             u("1.8.5"), u("?")},
            {verse({{u"schema"_qs, u"zeile-wort-buchstabe"_qs}}), u("1.1.0"),
             u("!Zeichen 0 gibt es nicht: gezählt wird ab 1.")},
            {verse(), u("1 x"),
             u("!Zeichen 3 („x“) ist keine Ziffer und kein Trennzeichen der Positionen.")},
            {verse(), u(""), u("")},
            // the source: exactly one, and something in it that counts
            {{}, u("1"), u("!Keine Quelle: einen Text oder eine Datei angeben.")},
            {{{u"text"_qs, u"\n \n"_qs}},
             u("1"),
             u("!Die Quelle ist leer: sie hat nichts, was zählt.")},
            {{{u"text"_qs, u"– ?"_qs}},
             u("1"),
             u("!Die Quelle ist leer: sie hat nichts, was zählt.")},
            {{{u"text"_qs, u"– ?"_qs}, {u"satzzeichen"_qs, u"1"_qs}}, u("2"), u("?")},
            {verse({{u"datei"_qs, u"/x"_qs}}), u("1"),
             u("!Nur eine Quelle angeben: Text oder Datei.")},
        });
}

TEST(BookCode, EncodesTheFirstFittingPlace)
{
    run("buchcode", false,
        {
            {verse(), u("wind WER"), u("8 1")},
            {{{u"text"_qs, u"und so und so"_qs}}, u("so und"), u("2 1")},
            {{{u"text"_qs, u"ab\nba"_qs}, {u"schema"_qs, u"zeile-wort-buchstabe"_qs}},
             u("bab"),
             u("1.1.2 1.1.1 1.1.2")},
            {verse({{u"anfang"_qs, u"1"_qs}}), u("kw"), u("15 1")},
            {verse({{u"schema"_qs, u"buchstabe"_qs}}), u("er"), u("2 3")},
            {verse({{u"schema"_qs, u"buchstabe"_qs}, {u"leerzeichen"_qs, u"1"_qs}}), u("e r"),
             u("2 4 3")},
            {verse({{u"schema"_qs, u"zeile-wort"_qs}}), u("Kind"), u("2.7")},
            {verse({{u"schema"_qs, u"zeile-wort-buchstabe"_qs}}), u("ä"), u("1.4.3")},
            {verse(), u("Pferd"), u("!„Pferd“ kommt in der Quelle nicht vor.")},
            {verse({{u"schema"_qs, u"buchstabe"_qs}}), u("q"),
             u("!„q“ kommt in der Quelle nicht vor.")},
            {{}, u(""), u("!Keine Quelle: einen Text oder eine Datei angeben.")},
        });
}

TEST(BookCode, ReadsTheSourceFromAFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"quelle.txt"_qs);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kVerse.toUtf8().replace("\n", "\r\n"));
    file.close();
    const Ciphers::Cipher &cipher = *Ciphers::findCipher(u"buchcode"_qs);
    const ParamValues lines {{u"datei"_qs, path}, {u"schema"_qs, u"zeile-wort"_qs}};
    EXPECT_EQ(cipher.decode(u"2.7"_qs, lines), u"Kind"_qs);
    EXPECT_EQ(cipher.decode(cipher.encode(u"Vater und Kind"_qs, lines), lines),
              u"Vater und Kind"_qs);
    for (const QString &wrong : {dir.filePath(u"fehlt"_qs), dir.path(), u"/dev/zero"_qs}) {
        SCOPED_TRACE(wrong.toStdString());
        EXPECT_EQ(outcome([&] {
                      return cipher.decode(u"1"_qs, {{u"datei"_qs, wrong}});
                  }),
                  u("!Die Quelldatei „%1“ gibt es nicht oder sie ist keine gewöhnliche Datei.")
                      .arg(wrong));
    }
}

namespace {

// A folder with a German list in the order of frequency and an English one.
struct Lists
{
    QTemporaryDir dir;
    Lists()
    {
        write(u"ngerman"_qs, "gut\nhund\nGeocache\nHunde\nhut\nGut\nÖl\nstraße\nnull's\n");
        write(u"american-english"_qs, "good\nhome\ngone\n");
    }
    void write(const QString &name, const char *lines)
    {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(lines);
    }
    ParamValues params(const char *language = "de") const
    {
        return {{u"wortlisten"_qs, dir.path()}, {u"sprache"_qs, QString::fromLatin1(language)}};
    }
};

} // namespace

TEST(T9, FindsTheWordsThatFitInTheListsOrder)
{
    Lists lists;
    ASSERT_TRUE(lists.dir.isValid());
    run("t9", true,
        {
            {lists.params(), u("488"), u("[gut|hut]")},
            {lists.params(), u("4863"), u("hund")},
            {lists.params(), u("65"), u("Öl")},
            {lists.params(), u("787273"), u("straße")},
            {lists.params(), u("48633 0 4863"), u("Hunde hund")},
            {lists.params(), u("2"), u("[?2]")},
            // one digit longer and shorter than a word: no word
            {lists.params(), u("48"), u("[?48]")},
            {lists.params(), u("48888"), u("[?48888]")},
            {lists.params("en"), u("4663"), u("[good|home|gone]")},
            {lists.params(), u(""), u("")},
            {lists.params(), u("4861"),
             u("!Zeichen 4 („1“) ist keine Taste von 2 bis 9; Gruppen "
               "trennen Leerzeichen oder 0.")},
            {{{u"wortlisten"_qs, lists.dir.filePath(u"fehlt"_qs)}},
             u("2"),
             u("!Keine Wortliste „%1/ngerman“ (Datei oder Verzeichnis nicht gefunden): Paket "
               "wngerman "
               "installieren.")
                 .arg(lists.dir.filePath(u"fehlt"_qs))},
        });
}

TEST(T9, EncodesOneKeyPerLetter)
{
    run("t9", false,
        {
            {{}, u("Geocache"), u("43622243")},
            {{}, u("  Öl  über Maß "), u("65 8237 627")},
            {{}, u("wxyz pqrs"), u("9999 7777")},
            {{},
             u("ja!"),
             u("!Zeichen 3 („!“) hat keine Taste: T9 kennt nur Buchstaben und "
               "Leerzeichen.")},
            {{}, u(""), u("")},
        });
}
