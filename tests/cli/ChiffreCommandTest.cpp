// The cipher subcommand as a process: the list, both directions, JSON, stdin line by line and
// every way it refuses.
#include "cli/CliProcess.h"
#include "logic/ciphers/CipherRegistry.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList args(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *a : list)
        result.append(QString::fromUtf8(a));
    return result;
}

} // namespace

TEST(CliChiffre, ListsEveryCipherWithItsGermanName)
{
    const CliRun run = runCli(args({"chiffre", "--liste"}));
    EXPECT_EQ(run.exitCode, 0);
    const QStringList lines = run.outLines();
    ASSERT_EQ(lines.size(), qsizetype(Ciphers::cipherRegistry().size()));
    for (std::size_t i = 0; i < Ciphers::cipherRegistry().size(); ++i) {
        const Ciphers::Cipher &cipher = Ciphers::cipherRegistry()[i];
        EXPECT_TRUE(lines.at(qsizetype(i)).startsWith(cipher.cliName + u' '));
        EXPECT_TRUE(lines.at(qsizetype(i)).endsWith(cipher.germanName));
    }
}

TEST(CliChiffre, EncodesAndDecodesWithTheCiphersOptions)
{
    const struct
    {
        const char *name;
        QStringList arguments;
        QByteArray input;
        QStringList expected;
    } cases[] = {
        {"atbash",
         args({"chiffre", "atbash", "Hallo", "Welt"}),
         {},
         {QStringLiteral("Szool Dvog")}},
        {"affine with a and b",
         args({"chiffre", "affin", "--a", "5", "--b=8", "AFFINE CIPHER"}),
         {},
         {QStringLiteral("IHHWVC SWFRCP")}},
        {"decode with -d",
         args({"chiffre", "-d", "morse", ".... .. / -.. .."}),
         {},
         {QStringLiteral("HI DI")}},
        {"decode with --entschluesseln after the text",
         args({"chiffre", "playfair", "BMODZBXDNABEKUDMUIXMMOUVIF", "--entschluesseln",
               "--schluessel", "playfairexample"}),
         {},
         {QStringLiteral("HIDETHEGOLDINTHETREXESTUMP")}},
        {"a switch",
         args({"chiffre", "rueckwaerts", "--woerter", "Hallo Welt"}),
         {},
         {QStringLiteral("ollaH tleW")}},
        {"stdin line by line",
         args({"chiffre", "base64"}),
         "foo\nfoobar\n",
         {QStringLiteral("Zm9v"), QStringLiteral("Zm9vYmFy")}},
        {"the Enigma's settings as options",
         args({"chiffre", "enigma", "--walzen", "II IV V", "--ringe=02 21 12", "--start", "WXC",
               "--stecker", "AV BS CG DL FU HZ IN KM OW RX", "KCH"}),
         {},
         {QStringLiteral("BLA")}},
        {"a choice of variant",
         args({"chiffre", "-d", "bcd", "--variante", "aiken", "0100 1011"}),
         {},
         {QStringLiteral("45")}},
        {"two choices and a second key",
         args({"chiffre", "tastatur", "--von", "azerty", "--nach", "qwertz", "aqw"}),
         {},
         {QStringLiteral("qay")}},
        {"a double transposition",
         args({"chiffre", "spaltentausch", "--schluessel", "ZEBRAS", "--doppelt", "STRIPE",
               "WEAREDISCOVEREDFLEEATONCEQKJEU"}),
         {},
         {QStringLiteral("ASFCENKREREEOEELTQDIECEOUVDAJW")}},
        {"a cipher with a key and a second word",
         args({"chiffre", "-d", "nihilist", "--schluessel", "ZEBRAS", "--zusatz", "RUSSIAN",
               "37 106 62 36 67 47 86 26"}),
         {},
         {QStringLiteral("DYNAMITE")}},
        {"a byte code decoded",
         args({"chiffre", "-d", "base58", "2NEpo7TZRRrLZSi2U"}),
         {},
         {QStringLiteral("Hello World!")}},
        {"stdin after -",
         args({"chiffre", "zaun", "--schienen", "3", "-"}),
         "WEAREDISCOVEREDFLEEATONCE\n",
         {QStringLiteral("WECRLTEERDSOEEFEAOCAIVDEN")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = runCli(c.arguments, c.input);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.outLines(), c.expected);
    }
}

TEST(CliChiffre, JsonNamesCipherDirectionInputAndOutput)
{
    const CliRun run =
        runCli(args({"--json", "chiffre", "rot", "-d", "--verschiebung", "3"}), "Khoor\n");
    EXPECT_EQ(run.exitCode, 0);
    const QJsonObject o = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(o,
              QJsonObject({{QStringLiteral("verfahren"), QStringLiteral("rot")},
                           {QStringLiteral("richtung"), QStringLiteral("entschluesseln")},
                           {QStringLiteral("eingabe"), QStringLiteral("Khoor")},
                           {QStringLiteral("ausgabe"), QStringLiteral("Hello")}}));
    const QJsonObject e =
        QJsonDocument::fromJson(runCli(args({"chiffre", "--json", "atbash", "abc"})).out).object();
    EXPECT_EQ(e.value(u"richtung").toString(), QStringLiteral("verschluesseln"));
    EXPECT_EQ(e.value(u"ausgabe").toString(), QStringLiteral("zyx"));
}

TEST(CliChiffre, RefusesWithTheRightCodeAndMessage)
{
    const struct
    {
        const char *name;
        QStringList arguments;
        QByteArray input;
        int code;
        QString err;
        QStringList out;
    } cases[] = {
        {"invalid key",
         args({"chiffre", "hill", "--schluessel", "ABC", "x"}),
         {},
         1,
         QStringLiteral("quarvel-cli: Der Schlüssel muss 4 oder 9 Buchstaben haben (eine 2×2- "
                        "oder 3×3-Matrix), nicht 3.\n"),
         {}},
        {"a byte count Z85 cannot take",
         args({"chiffre", "z85", "abc"}),
         {},
         1,
         QStringLiteral("quarvel-cli: Z85 braucht eine durch 4 teilbare Zahl von Bytes; der Text "
                        "hat 3.\n"),
         {QString()}},
        {"an Enigma wheel twice",
         args({"chiffre", "enigma", "--walzen", "I I II", "x"}),
         {},
         1,
         QStringLiteral("quarvel-cli: Die Walze I ist nur einmal vorhanden.\n"),
         {}},
        {"a not coprime",
         args({"chiffre", "affin", "--a", "13", "x"}),
         {},
         1,
         QStringLiteral("quarvel-cli: a = 13 ist nicht teilerfremd zu 26; möglich sind 1, 3, 5, "
                        "7, 9, 11, 15, 17, 19, 21, 23 und 25.\n"),
         {}},
        {"invalid text keeps the other lines",
         args({"chiffre", "-d", "base16"}),
         "41\n4\n42\n",
         1,
         QStringLiteral("quarvel-cli: Zeile 2: Der Base16-Text ist unvollständig: 1 Zeichen "
                        "passen nicht auf ganze Bytes.\n"),
         {QStringLiteral("A"), QString(), QStringLiteral("B")}},
        {"unknown cipher",
         args({"chiffre", "lorenz", "x"}),
         {},
         2,
         QStringLiteral("quarvel-cli: Unbekanntes Verfahren „lorenz“; die Namen zeigt "
                        "quarvel-cli chiffre --liste\nHilfe: quarvel-cli chiffre --help\n"),
         {}},
        {"no cipher",
         args({"chiffre"}),
         {},
         2,
         QStringLiteral("quarvel-cli: Kein Verfahren angegeben: quarvel-cli chiffre NAME [TEXT "
                        "...]; die Namen zeigt quarvel-cli chiffre --liste\nHilfe: quarvel-cli "
                        "chiffre --help\n"),
         {}},
        {"option of another cipher",
         args({"chiffre", "atbash", "--schienen", "3", "x"}),
         {},
         2,
         QStringLiteral("quarvel-cli: Die Option „--schienen“ gilt nicht für „atbash“\nHilfe: "
                        "quarvel-cli chiffre --help\n"),
         {}},
        {"rails below the limit",
         args({"chiffre", "zaun", "--schienen", "1", "x"}),
         {},
         1,
         QStringLiteral("quarvel-cli: Schienen muss eine ganze Zahl von 2 bis 1000000 sein: "
                        "„1“.\n"),
         {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = runCli(c.arguments, c.input);
        EXPECT_EQ(run.exitCode, c.code);
        EXPECT_EQ(QString::fromUtf8(run.err), c.err);
        EXPECT_EQ(run.outLines(), c.out);
    }
}

// Long runs and odd symbols through the program as a script calls it: a megabyte of zeros is
// a megabyte of blanks (each press of 0 is one), symbols are characters as the user sees them.
TEST(CliChiffre, MultiTapAndBaconTakeLongRunsAndAnySymbol)
{
    const QByteArray zeros(1 << 20, '0');
    const CliRun blanks = runCli(args({"chiffre", "handy", "-d"}), zeros + "\n");
    EXPECT_EQ(blanks.exitCode, 0) << blanks.err.toStdString();
    EXPECT_EQ(blanks.out, QByteArray(1 << 20, ' ') + '\n');

    const struct
    {
        const char *what;
        QStringList arguments;
        int exitCode;
        const char *output; // on stdout, or the part of the message on stderr
    } cases[] = {
        {"zeros between letters", args({"chiffre", "handy", "-d", "44 0000 2"}), 0, "H    A"},
        {"emoji pair encodes", args({"chiffre", "bacon", "--zeichen", "😀😁", "Ab"}), 0,
         "😀😀😀😀😀 😀😀😀😀😁"},
        {"emoji pair decodes", args({"chiffre", "bacon", "-d", "--zeichen", "😀😁", "😀😀😀😀😀 😀😀😀😀😁"}),
         0, "AB"},
        {"one emoji is one symbol", args({"chiffre", "bacon", "--zeichen", "😀", "Ab"}), 1,
         "genau zwei verschiedene Zeichen"},
        {"three symbols", args({"chiffre", "bacon", "--zeichen", "😀ab", "Ab"}), 1,
         "genau zwei verschiedene Zeichen"},
        {"a blank separates groups", args({"chiffre", "bacon", "--zeichen", " -", "Ab"}), 1,
         "Leerzeichen trennen die Fünfergruppen"},
        {"a tab as well", args({"chiffre", "bacon", "--zeichen", "-\t", "Ab"}), 1,
         "Leerzeichen trennen die Fünfergruppen"},
        {"two symbols that are no letters", args({"chiffre", "bacon", "--zeichen", "+k", "Ab"}), 0,
         "+++++ ++++K"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        const QByteArray where = c.exitCode == 0 ? run.out : run.err;
        EXPECT_TRUE(where.contains(c.output)) << where.toStdString();
    }
}

TEST(CliChiffre, BookCodeAndT9ReadTheirSourceAndWordList)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile source(dir.filePath(QStringLiteral("quelle.txt")));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write("Wer reitet so sp\xc3\xa4t\n\ndurch Nacht und Wind?\n");
    source.close();
    QFile list(dir.filePath(QStringLiteral("ngerman")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("gut\nhut\nhund\n");
    list.close();
    const QString file = source.fileName();
    const QString folder = dir.path();
    const QString missing = dir.filePath(QStringLiteral("fehlt"));
    const struct
    {
        const char *name;
        QStringList arguments;
        QByteArray input;
        int code;
        QStringList out;
        QString err;
    } cases[] = {
        {"words of a file",
         {u"chiffre"_qs, u"buchcode"_qs, u"-d"_qs, u"--datei"_qs, file, u"4 8"_qs},
         {},
         0,
         {QString::fromUtf8("spät Wind")},
         {}},
        {"line and word, empty lines counted",
         {u"chiffre"_qs, u"buchcode"_qs, u"-d"_qs, u"--datei"_qs, file, u"--schema"_qs,
          u"zeile-wort"_qs, u"--leerzeilen"_qs, u"3.4"_qs},
         {},
         0,
         {u"Wind"_qs},
         {}},
        {"encoded from the text option",
         {u"chiffre"_qs, u"buchcode"_qs, u"--text"_qs, u"a b c"_qs, u"--schema"_qs, u"buchstabe"_qs,
          u"cab"_qs},
         {},
         0,
         {u"3 1 2"_qs},
         {}},
        {"one past the end keeps the next line",
         {u"chiffre"_qs, u"buchcode"_qs, u"-d"_qs, u"--text"_qs, u"a b c"_qs},
         "4\n3\n",
         1,
         {QString(), u"c"_qs},
         QString::fromUtf8("quarvel-cli: Zeile 1: Wort 4 gibt es nicht: die Quelle hat nur "
                           "3.\n")},
        {"no source",
         {u"chiffre"_qs, u"buchcode"_qs, u"-d"_qs, u"1"_qs},
         {},
         1,
         {},
         QString::fromUtf8("quarvel-cli: Keine Quelle: einen Text oder eine Datei angeben.\n")},
        {"T9 groups with a word list",
         {u"chiffre"_qs, u"t9"_qs, u"-d"_qs, u"--wortlisten"_qs, folder, u"488 4863"_qs},
         {},
         0,
         {u"[gut|hut] hund"_qs},
         {}},
        {"T9 without a word list",
         {u"chiffre"_qs, u"t9"_qs, u"-d"_qs, u"--wortlisten"_qs, missing, u"488"_qs},
         {},
         1,
         {QString()},
         QString::fromUtf8("quarvel-cli: Keine Wortliste „%1/ngerman“ (Datei oder "
                           "Verzeichnis nicht gefunden): Paket wngerman installieren.\n")
             .arg(missing)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = runCli(c.arguments, c.input);
        EXPECT_EQ(run.exitCode, c.code);
        EXPECT_EQ(run.outLines(), c.out);
        EXPECT_EQ(QString::fromUtf8(run.err), c.err);
    }
}
