// The built quarvel-cli run as a process: each subcommand's text and JSON against the pure
// functions, a large stdin batch, every exit code, and that it links no Widgets: QtGui only
// draws the pictures of the symbol tables, on the offscreen platform.
#include "cli/CliProcess.h"
#include "cli/CommandTable.h"
#include "logic/solvers/FermilabCode.h"
#include "logic/solvers/SudokuFile.h"
#include "logic/tools/Buchstabenverteilung.h"
#include "logic/tools/CryptoTools.h"
#include "logic/tools/CryptoTools_WortWert.h"
#include "logic/tools/Koordinaten_Unit.h"
#include "logic/tools/QuersummenKette.h"
#include "logic/tools/hfunctions.h"
#include "support/core/SudokuGridHost.h"
#include "support/image/ImageFixtures.h"
#include "symbols/SymbolTable.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString wortwertLine(const QString &text, bool inverse = false, bool digits = false)
{
    const QString sum = CryptoTools::BuchstabenWortWert(text, inverse, digits);
    QString line = QStringLiteral("Summe der Buchstabenwerte: %1 | Anzahl der Zeichen: %2 | inkl "
                                  "Leerzeichen: %3 | Anzahl der Wörter: %4")
                       .arg(sum)
                       .arg(hfunctions::CountNonBlank(text))
                       .arg(text.size())
                       .arg(hfunctions::CountWords(text));
    const QStringList sums = QuersummenKette::digitSums(sum);
    for (qsizetype i = 0; i < sums.size(); ++i)
        line += QStringLiteral(" | %1. Iteration: %2").arg(i + 1).arg(sums.at(i));
    return line;
}

QString verteilungLine(const QString &text)
{
    const Buchstabenverteilung::Counts counts = Buchstabenverteilung::count(text);
    QStringList parts;
    for (int i = 0; i < 26; ++i)
        parts.append(QStringLiteral("%1: %2").arg(QChar(u'A' + i)).arg(counts[std::size_t(i)]));
    return parts.join(QStringLiteral(" | "));
}

QStringList notations(const QString &input)
{
    TKoordinaten position;
    EXPECT_EQ(position.m_sSetKoordinaten(input), 1);
    return {position.m_sGetKoordinaten(0), position.m_sGetKoordinaten(1),
            position.m_sGetKoordinaten(2)};
}

QString sampleGridText()
{
    return QString::fromLatin1(Sudoku::SudokuText(Sudoku::samplePuzzle()));
}

// A solution as the command prints it: nine lines of digits.
QStringList solutionLines(const Sudoku::CellValues &values)
{
    return QString::fromLatin1(Sudoku::SudokuText(values)).split(u'\n', Qt::SkipEmptyParts);
}

// One symbol table as `symbole --liste NAME` shows it.
QStringList symbolTableLines(const QString &name)
{
    const SymbolTables::Table &table = *SymbolTables::find(name);
    QStringList meanings;
    for (const SymbolTables::Glyph &glyph : table.glyphen)
        meanings.append(glyph.zeichen);
    return {table.name, QStringLiteral("Titel: ") + table.titel,
            QStringLiteral("Quelle: ") + table.quelle, QStringLiteral("Lizenz: ") + table.lizenz,
            QStringLiteral("Zeichen: ") + meanings.join(QStringLiteral(" | "))};
}

struct TextCase
{
    const char *name;
    QStringList arguments;
    QByteArray input;
    QStringList expected;
};

// A picture for the picture subcommand, written once for all cases.
QString animatedGifFile()
{
    static const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("drei.gif"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(Fixtures::animatedGif({10, 20, 30}, "Hallo"));
    return path;
}

std::vector<TextCase> textCases()
{
    const QString position = QStringLiteral("N 54° 23.650 E 013° 40.181");
    const QString plain =
        QStringLiteral("Franz jagt im komplett verwahrlosten Taxi quer durch Bayern");
    const QString key = QStringLiteral("Geocache");
    SudokuGridHost host(Sudoku::samplePuzzle());
    host.stopAfter = 2;
    Sudoku::SudokuSearch(Sudoku::samplePuzzle()).run(host);
    return {
        {"koordinaten", {QStringLiteral("koordinaten"), position}, {}, notations(position)},
        {"coords -n 1",
         {QStringLiteral("coords"), QStringLiteral("-n"), QStringLiteral("1"), position},
         {},
         {notations(position).at(1)}},
        {"quersumme dez",
         {QStringLiteral("quersumme"), QStringLiteral("1234567890")},
         {},
         {QStringLiteral("Dezimal: 1234567890 | 1. Iteration: 45 | 2. Iteration: 9")}},
        {"quersumme dez with signs",
         {QStringLiteral("quersumme"), QStringLiteral("N 47° 11")},
         {},
         {QStringLiteral("Dezimal: 4711 | Ignoriert: „N“, „ “, „°“ | 1. Iteration: 13 | 2. "
                         "Iteration: 4")}},
        {"quersumme dez names what it ignores",
         {QStringLiteral("quersumme"), QStringLiteral("12a\U0001F600a")},
         {},
         {QStringLiteral("Dezimal: 12 | Ignoriert: „a“, „\U0001F600“ | 1. Iteration: 3")}},
        {"quersumme eleven nines",
         {QStringLiteral("digitsum"), QString(11, u'9')},
         {},
         {QStringLiteral("Dezimal: 99999999999 | 1. Iteration: 99 | 2. Iteration: 18 | 3. "
                         "Iteration: 9")}},
        {"quersumme hex",
         {QStringLiteral("quersumme"), QStringLiteral("-s"), QStringLiteral("hex"),
          QStringLiteral("FF")},
         {},
         {QStringLiteral("Dezimal: 255 | 1. Iteration: 12 | 2. Iteration: 3")}},
        {"quersumme bin",
         {QStringLiteral("quersumme"), QStringLiteral("--system=bin"), QStringLiteral("1111111")},
         {},
         {QStringLiteral("Dezimal: 127 | 1. Iteration: 10 | 2. Iteration: 1")}},
        {"quersumme okt",
         {QStringLiteral("quersumme"), QStringLiteral("-s"), QStringLiteral("okt"),
          QStringLiteral("777")},
         {},
         {QStringLiteral("Dezimal: 511 | 1. Iteration: 7")}},
        {"wortwert Hallo",
         {QStringLiteral("wortwert"), QStringLiteral("Hallo")},
         {},
         {QStringLiteral(
             "Summe der Buchstabenwerte: 48 | Anzahl der Zeichen: 5 | inkl Leerzeichen: "
             "5 | Anzahl der Wörter: 1 | 1. Iteration: 12 | 2. Iteration: 3")}},
        {"wortwert inverse Straße",
         {QStringLiteral("wordvalue"), QStringLiteral("-i"), QStringLiteral("Straße")},
         {},
         {wortwertLine(QStringLiteral("Straße"), true)}},
        {"wortwert digits, two arguments",
         {QStringLiteral("wortwert"), QStringLiteral("--ziffern"), QStringLiteral("Zahl"),
          QStringLiteral("123")},
         {},
         {wortwertLine(QStringLiteral("Zahl 123"), false, true)}},
        {"verteilung",
         {QStringLiteral("verteilung"), QStringLiteral("Hallo Welt!")},
         {},
         {verteilungLine(QStringLiteral("Hallo Welt!"))}},
        {"laenge metre",
         {QStringLiteral("laenge"), QStringLiteral("1")},
         {},
         {QStringLiteral("Feet: 3 | Inch: 3,37007874015748 | Nur Feet: 3,28083989501312 | Nur "
                         "Inch: 39,3700787401575")}},
        {"laenge decimal point",
         {QStringLiteral("length"), QStringLiteral("1.8")},
         {},
         {QStringLiteral("Feet: 5 | Inch: 10,8661417322835 | Nur Feet: 5,90551181102362 | Nur "
                         "Inch: 70,8661417322835")}},
        // As the panel: extended precision leaves -4,85039370078740157... inches.
        {"laenge negative",
         {QStringLiteral("laenge"), QStringLiteral("-5")},
         {},
         {QStringLiteral("Feet: -16 | Inch: -4,8503937007874 | Nur Feet: -16,4041994750656 | "
                         "Nur Inch: -196,850393700787")}},
        {"laenge feet",
         {QStringLiteral("laenge"), QStringLiteral("--feet"), QStringLiteral("6"),
          QStringLiteral("2")},
         {},
         {QStringLiteral("1,8796")}},
        {"laenge negative feet",
         {QStringLiteral("laenge"), QStringLiteral("-f"), QStringLiteral("-1"),
          QStringLiteral("12")},
         {},
         {QStringLiteral("0,3048")}},
        {"roemisch to Roman",
         {QStringLiteral("roemisch"), QStringLiteral("1994")},
         {},
         {QStringLiteral("MCMXCIV")}},
        {"roman to decimal",
         {QStringLiteral("roman"), QStringLiteral("MMXXIV")},
         {},
         {QStringLiteral("2024")}},
        {"roman typed lower case",
         {QStringLiteral("roman"), QStringLiteral("xlix")},
         {},
         {QStringLiteral("49")}},
        {"roman all letters",
         {QStringLiteral("roemisch"), QStringLiteral("-a"), QStringLiteral("ROMA")},
         {},
         {QStringLiteral("1000")}},
        {"rot13",
         {QStringLiteral("rot"), QStringLiteral("Hallo Welt!")},
         {},
         {QStringLiteral("Unyyb Jryg!")}},
        {"rot5",
         {QStringLiteral("rot"), QStringLiteral("-m"), QStringLiteral("5"),
          QStringLiteral("2016 ab")},
         {},
         {QStringLiteral("7561 ab")}},
        {"rot18",
         {QStringLiteral("rot"), QStringLiteral("--modus=18"), QStringLiteral("Abc123")},
         {},
         {QStringLiteral("Nop678")}},
        {"rot47",
         {QStringLiteral("rot"), QStringLiteral("-m"), QStringLiteral("47"),
          QStringLiteral("Cache")},
         {},
         {QStringLiteral("r2496")}},
        {"rot -n",
         {QStringLiteral("rot"), QStringLiteral("-n"), QStringLiteral("1"),
          QStringLiteral("Abc xyz")},
         {},
         {QStringLiteral("Bcd yza")}},
        {"rot --alle",
         {QStringLiteral("rot"), QStringLiteral("--alle"), QStringLiteral("Abc xyz")},
         {},
         RotShiftLines(QStringLiteral("Abc xyz"))},
        {"vigenere encrypt",
         {QStringLiteral("vigenere"), QStringLiteral("--key"), key, plain},
         {},
         {VigenereEncrypt(plain, key, true)}},
        {"vigenere decrypt",
         {QStringLiteral("vigenere"), QStringLiteral("-d"), QStringLiteral("-k"), key,
          VigenereEncrypt(plain, key, true)},
         {},
         {plain.toUpper()}},
        {"trifid encrypt",
         {QStringLiteral("trifid"), QStringLiteral("--key=") + key, plain},
         {},
         {TrifidEncrypt(plain, key)}},
        {"trifid decrypt",
         {QStringLiteral("trifid"), QStringLiteral("--decrypt"), QStringLiteral("-k"), key,
          TrifidEncrypt(plain, key)},
         {},
         {TrifidDecrypt(TrifidEncrypt(plain, key), key)}},
        {"fermilab",
         {QStringLiteral("fermilab"), QStringLiteral("022 012 110 110 120")},
         {},
         {FermilabDecode(QStringLiteral("022 012 110 110 120"))}},
        {"sudoku from stdin",
         {QStringLiteral("sudoku"), QStringLiteral("--max"), QStringLiteral("2")},
         sampleGridText().toUtf8(),
         (QStringList {QStringLiteral("Lösung 1")} + solutionLines(host.solutions.at(0)) +
          QStringList {QStringLiteral("Lösung 2")} + solutionLines(host.solutions.at(1)) +
          QStringList {QStringLiteral("Anzahl der Lösungen: 2")})},
        {"chiffre",
         {QStringLiteral("chiffre"), QStringLiteral("vigenere"), QStringLiteral("--schluessel"),
          key, plain},
         {},
         {VigenereEncrypt(plain, key)}},
        {"symbole",
         {QStringLiteral("symbole"), QStringLiteral("--liste"), QStringLiteral("postnet")},
         {},
         symbolTableLines(QStringLiteral("postnet"))},
        {"formel",
         {QStringLiteral("formel"), QStringLiteral("--werte"), QStringLiteral("A=5-7"),
          QStringLiteral("N 52° A5.000 E 13° 1.000")},
         {},
         {QStringLiteral("A=5 | N 52° 55,000' E 13° 1,000'"),
          QStringLiteral("Berechnet: 3 | Gültig: 1 | Angezeigt: 1")}},
        {"rechner",
         {QStringLiteral("rechner"), QStringLiteral("mitte"), QStringLiteral("N 0 E 0; N 0 E 90")},
         {},
         {QStringLiteral("Mitte: N 00° 00,000' E 045° 00,000'")}},
        {"gccode",
         {QStringLiteral("gccode"), QStringLiteral("GCG000")},
         {},
         {QStringLiteral("Code: GCG000 | Nummer: 65536")}},
        {"gpx",
         {QStringLiteral("gpx"), QStringLiteral(QUARVEL_TEST_DATA_DIR "/map/zwei.gpx")},
         {},
         {QStringLiteral("GC1ABCD: N 54° 23,650' E 013° 40,181' – Am Hafen"),
          QStringLiteral("Track Runde: 2 Punkte")}},
        {"knacken",
         {QStringLiteral("knacken"), QStringLiteral("--anzahl"), QStringLiteral("1"),
          QStringLiteral("Qre Fpungm yvrtg hagre qre nygra Rvpur")},
         {},
         {QStringLiteral("1. rot (13): Der Schatz liegt unter der alten Eiche")}},
        {"knacken playfair",
         {QStringLiteral("knacken"), QStringLiteral("--sprache"), QStringLiteral("de"),
          QStringLiteral("--nur"), QStringLiteral("playfair"), QStringLiteral("--anzahl"),
          QStringLiteral("1"),
          QStringLiteral(
              "WL FS KX FR GC ZU DK XH BC XK ME IL OB TP EB EC SD TA NQ NT ZH BU AT AK LN OM TY "
              "GT PD EO ZU EO NZ ZN HB SP OM AU TP EB OF FM RD UL ME UA DQ RE SD DH AC TZ GC KU "
              "OM TD KF NE KB DT ZE AT UZ DU LE AC EC FT KC CY AT TQ AT SP IQ TZ AT QI TA IY GT "
              "UN UP CU UC PG NH UR ET ZN SK GW BQ ET MY ZN KF NT HM AN UC KF CE BQ AZ")},
         {},
         // A key word's square is found as the square of its key word itself.
         {QStringLiteral(
             "1. playfair (LOGBUCHADEFIKMNPQRSTVWXYZ): "
             "VOMPARKPLATZAMWALDRANDFOLGSTDUDEMBREITENWEGBERGAUFBISZURSCHUTZHUETTEDORTBIEGSTDULI"
             "NKSABUNDGEHSTAMBACHENTLANGBISEINEUMGESTUERZTEBUCHEDENPFADVERSPERRTHINTERIHREMWURZ"
             "ELTELLERLIEGTUNTERMOXOSUNDSTEINENDIEKLEINEDOSEX")}},
        {"datum",
         {QStringLiteral("datum"), QStringLiteral("plus"), QStringLiteral("10.12.2026"),
          QStringLiteral("21")},
         {},
         {QStringLiteral("Datum: 2026-12-31")}},
        {"zahl",
         {QStringLiteral("zahl"), QStringLiteral("ggt"), QStringLiteral("12"),
          QStringLiteral("18")},
         {},
         {QStringLiteral("ggT: 6")}},
        {"pruefziffer",
         {QStringLiteral("pruefziffer"), QStringLiteral("--verfahren"), QStringLiteral("ean8"),
          QStringLiteral("96385074")},
         {},
         {QStringLiteral("Ergebnisse: ean8: gültig (Prüfziffer 4)")}},
        {"hash",
         {QStringLiteral("hash"), QStringLiteral("--verfahren"), QStringLiteral("md5"),
          QStringLiteral("abc")},
         {},
         {QStringLiteral("Hashes: md5         900150983cd24fb0d6963f7d28e17f72")}},
        {"rechne",
         {QStringLiteral("rechne"), QStringLiteral("--werte"), QStringLiteral("A=1987; B=12"),
          QStringLiteral("runden(wurzel(A-B); 2)")},
         {},
         {QStringLiteral("runden(wurzel(A-B); 2) | Ergebnis: 44,44 | Gerundet: 44")}},
        {"bild",
         {QStringLiteral("bild"), animatedGifFile()},
         {},
         {QStringLiteral("Datei: ") + animatedGifFile(),
          QStringLiteral("Format: GIF, 1 × 1 Bildpunkte, 1 Bit"),
          QStringLiteral("Bilder: 3 (Dauer in ms: 100, 200, 300)"),
          QStringLiteral("Kommentar GIF-Kommentar: Hallo")}},
    };
}

} // namespace

TEST(CliProcess, EachSubcommandPrintsWhatThePureFunctionsGive)
{
    for (const TextCase &c : textCases()) {
        SCOPED_TRACE(c.name);
        const CliRun run = runCli(c.arguments, c.input);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.outLines(), c.expected);
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    }
}

TEST(CliProcess, EverySubcommandOfTheTableIsCovered)
{
    QStringList covered;
    for (const TextCase &c : textCases())
        covered.append(c.arguments.constFirst());
    for (const Cli::Command &command : Cli::commandTable()) {
        SCOPED_TRACE(command.names.constFirst().toStdString());
        bool found = false;
        for (const QString &name : command.names)
            found = found || covered.contains(name);
        EXPECT_TRUE(found);
    }
}

namespace {

QJsonObject jsonOf(const QStringList &arguments, const QByteArray &input = {})
{
    const CliRun run = runCli(QStringList {QStringLiteral("--json")} + arguments, input);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.outLines().size(), 1);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    return document.object();
}

} // namespace

TEST(CliProcess, JsonCarriesEveryFigureOfThePanel)
{
    QJsonObject o = jsonOf({QStringLiteral("wortwert"), QStringLiteral("N 47")});
    EXPECT_EQ(o.value(u"eingabe").toString(), QStringLiteral("N 47"));
    EXPECT_EQ(o.value(u"summe").toInteger(), 14);
    EXPECT_EQ(o.value(u"zeichen").toInteger(), 3);
    EXPECT_EQ(o.value(u"zeichenInklLeerzeichen").toInteger(), 4);
    EXPECT_EQ(o.value(u"woerter").toInteger(), 2);
    EXPECT_EQ(o.value(u"quersummen").toArray(), QJsonArray({5}));

    o = jsonOf({QStringLiteral("quersumme"), QStringLiteral("-s"), QStringLiteral("hex"),
                QStringLiteral("FF")});
    EXPECT_EQ(o.value(u"dezimal").toString(), QStringLiteral("255"));
    EXPECT_EQ(o.value(u"quersummen").toArray(), QJsonArray({12, 3}));
    EXPECT_EQ(o.value(u"system").toString(), QStringLiteral("hex"));

    const QString position = QStringLiteral("N 54° 23.650 E 013° 40.181");
    o = jsonOf({QStringLiteral("koordinaten"), position});
    const QStringList expected = notations(position);
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(o.value(QStringLiteral("notation%1").arg(n)).toString(), expected.at(n));

    o = jsonOf({QStringLiteral("laenge"), QStringLiteral("1")});
    EXPECT_EQ(o.value(u"nurInch").toString(), QStringLiteral("39,3700787401575"));
    EXPECT_EQ(o.value(u"feet").toString(), QStringLiteral("3"));

    o = jsonOf({QStringLiteral("roemisch"), QStringLiteral("1994")});
    EXPECT_EQ(o.value(u"roemisch").toString(), QStringLiteral("MCMXCIV"));
    EXPECT_EQ(o.value(u"dezimal").toInteger(), 1994);

    o = jsonOf({QStringLiteral("verteilung"), QStringLiteral("Hallo Welt!")});
    EXPECT_EQ(o.value(u"L").toInteger(), 3);
    EXPECT_EQ(o.value(u"Z").toInteger(), 0);

    o = jsonOf({QStringLiteral("rot"), QStringLiteral("--alle"), QStringLiteral("Abc xyz")});
    EXPECT_EQ(o.value(u"zeilen").toArray(),
              QJsonArray::fromStringList(RotShiftLines(QStringLiteral("Abc xyz"))));

    o = jsonOf({QStringLiteral("vigenere"), QStringLiteral("-k"), QStringLiteral("Lima"),
                QStringLiteral("Hallo Welt")});
    EXPECT_EQ(o.value(u"ergebnis").toString(),
              VigenereEncrypt(QStringLiteral("Hallo Welt"), QStringLiteral("Lima"), true));
    EXPECT_EQ(o.value(u"richtung").toString(), QStringLiteral("verschluesseln"));

    o = jsonOf({QStringLiteral("sudoku")}, sampleGridText().toUtf8());
    EXPECT_EQ(o.value(u"anzahl").toInteger(), 336);
    EXPECT_EQ(o.value(u"loesungen").toArray().size(), 336);
    EXPECT_TRUE(o.value(u"vollstaendig").toBool());
}

TEST(CliProcess, StdinBatchOfTenThousandLinesGivesOneResultPerLine)
{
    QByteArray input;
    QStringList expected;
    for (int i = 0; i < 10000; ++i) {
        // Words with umlauts, digits and blanks, and now and then an empty line.
        const QString line =
            i % 997 == 0 ? QString() : QStringLiteral("Wört %1 ßtraße%2").arg(i).arg(i * 7 % 13);
        input += line.toUtf8() + (i % 2 ? "\r\n" : "\n");
        expected.append(wortwertLine(line));
    }
    const CliRun run = runCli({QStringLiteral("wortwert")}, input);
    EXPECT_EQ(run.exitCode, 0);
    const QStringList lines = run.outLines();
    ASSERT_EQ(lines.size(), expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i) != expected.at(i)) {
            ADD_FAILURE() << "line " << i + 1 << ": " << lines.at(i).toStdString();
            break;
        }
    }

    const CliRun json =
        runCli({QStringLiteral("wortwert"), QStringLiteral("--json"), QStringLiteral("-")}, input);
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_EQ(json.out.count('\n'), 10000);
}

struct ExitCase
{
    const char *name;
    QStringList arguments;
    QByteArray input;
    int exitCode;
    QByteArray err; // a part of what stderr says
    QStringList out;
};

TEST(CliProcess, ExitCodesAndMessages)
{
    const std::vector<ExitCase> cases = {
        {"a valid batch",
         {QStringLiteral("roemisch")},
         "XLIX\n49\n",
         0,
         {},
         {QStringLiteral("49"), QStringLiteral("XLIX")}},
        {"an invalid line in the middle: the rest is still processed",
         {QStringLiteral("quersumme"), QStringLiteral("-s"), QStringLiteral("okt")},
         "17\n7a\n777\n",
         1,
         "quarvel-cli: Zeile 2: Zeichen 2: „a“ kann hier nicht eingegeben werden; erlaubt sind "
         "0–7.\n",
         {QStringLiteral("Dezimal: 15 | 1. Iteration: 6"), QString(),
          QStringLiteral("Dezimal: 511 | 1. Iteration: 7")}},
        {"a line that is no UTF-8",
         {QStringLiteral("rot")},
         "abc\n\xff\xfe x\nnop\n",
         1,
         "quarvel-cli: Zeile 2: Die Eingabe ist kein gültiges UTF-8.\n",
         {QStringLiteral("nop"), QString(), QStringLiteral("abc")}},
        {"a position not recognised",
         {QStringLiteral("koordinaten"), QStringLiteral("N 54")},
         {},
         1,
         "quarvel-cli: Nicht erkannt !\n",
         {QString()}},
        {"a length that is no number",
         {QStringLiteral("laenge"), QStringLiteral("1,2,3")},
         {},
         1,
         "'1,2,3' ist kein gültiger Gleitkommawert.",
         {QString()}},
        {"a decimal beyond 32 bits for Roman",
         {QStringLiteral("roemisch"), QStringLiteral("-r"), QStringLiteral("2147483648")},
         {},
         1,
         "''2147483648'' ist kein gültiger Integer-Wert.",
         {QString()}},
        {"a key with a digit",
         {QStringLiteral("vigenere"), QStringLiteral("-k"), QStringLiteral("ab1"),
          QStringLiteral("x")},
         {},
         1,
         "quarvel-cli: Der Schlüssel darf nur Buchstaben enthalten.\n",
         {}},
        {"a Sudoku file that is missing",
         {QStringLiteral("sudoku"), QStringLiteral("/nonexistent/grid.sud")},
         {},
         1,
         "Datei /nonexistent/grid.sud kann nicht geöffnet werden.",
         {}},
        {"contradicting givens",
         {QStringLiteral("sudoku")},
         QByteArray(81, '.').replace(0, 2, "55"),
         1,
         "Die Vorgaben widersprechen sich: Zeile 1 enthält zweimal die 5.",
         {}},
        {"no subcommand", {}, {}, 2, "quarvel-cli: Kein Befehl angegeben\n", {}},
        {"an unknown subcommand", {QStringLiteral("quersummen")}, {}, 2, "Unbekannter Befehl", {}},
        {"an unknown option",
         {QStringLiteral("rot"), QStringLiteral("--xyz")},
         {},
         2,
         "Unbekannte Option „--xyz“ für „rot“",
         {}},
        {"a missing option value",
         {QStringLiteral("rot"), QStringLiteral("-n")},
         {},
         2,
         "braucht einen Wert",
         {}},
        {"a shift above 26",
         {QStringLiteral("rot"), QStringLiteral("-n"), QStringLiteral("27"), QStringLiteral("a")},
         {},
         2,
         "0 bis 26",
         {}},
        {"a notation out of range",
         {QStringLiteral("coords"), QStringLiteral("-n"), QStringLiteral("3"),
          QStringLiteral("N 1 E 2")},
         {},
         2,
         "Ungültiger Wert „3“",
         {}},
        {"no key",
         {QStringLiteral("trifid"), QStringLiteral("abc")},
         {},
         2,
         "Kein Schlüssel vorhanden !",
         {}},
        {"--max 0",
         {QStringLiteral("sudoku"), QStringLiteral("--max"), QStringLiteral("0")},
         {},
         2,
         "--max",
         {}},
    };
    for (const ExitCase &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = runCli(c.arguments, c.input);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
        EXPECT_EQ(run.outLines(), c.out);
    }
}

TEST(CliProcess, AnArgumentThatIsNoUtf8IsAnError)
{
    // The shell hands the raw bytes on; QProcess would convert the argument first.
    QProcess process;
    process.setProgram(QStringLiteral("/bin/sh"));
    process.setArguments({QStringLiteral("-c"),
                          QStringLiteral("exec \"$0\" rot \"$(printf 'a\\377b')\""),
                          cliProgramPath()});
    process.start();
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("Argument 2 ist kein gültiges UTF-8."));
}

TEST(CliProcess, HelpIsGermanForTheProgramAndEachSubcommand)
{
    const CliRun program = runCli({QStringLiteral("--help")});
    EXPECT_EQ(program.exitCode, 0);
    EXPECT_TRUE(program.outText().startsWith(QStringLiteral("Aufruf: quarvel-cli")));
    EXPECT_TRUE(program.outText().contains(QStringLiteral("Rückgabewerte")));
    for (const Cli::Command &command : Cli::commandTable()) {
        SCOPED_TRACE(command.names.constFirst().toStdString());
        EXPECT_TRUE(program.outText().contains(command.names.join(QStringLiteral(", "))));
        const CliRun help = runCli({command.names.constLast(), QStringLiteral("-h")});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.outText().startsWith(
            QStringLiteral("Aufruf: quarvel-cli %1").arg(command.names.constFirst())));
        EXPECT_TRUE(help.outText().contains(QStringLiteral("Optionen:")));
    }
}

TEST(CliProcess, TheLocaleNeverChangesAResult)
{
    const QStringList arguments = {QStringLiteral("laenge"), QStringLiteral("1.8")};
    const QByteArray reference = runCli(arguments).out;
    for (const char *locale : {"C", "de_DE.UTF-8", "en_US.UTF-8", "fr_FR.UTF-8"}) {
        SCOPED_TRACE(locale);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
        environment.insert(QStringLiteral("LANG"), QString::fromLatin1(locale));
        EXPECT_EQ(runCli(arguments, {}, environment).out, reference);
    }
}

TEST(CliProcess, ReadsASudokuFileRelativeToAnotherWorkingFolder)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(QStringLiteral("raetsel.sud")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(sampleGridText().toUtf8() + "\n");
    file.close();
    const CliRun run = runCli({QStringLiteral("sudoku"), QStringLiteral("--max"),
                               QStringLiteral("1"), QStringLiteral("raetsel.sud")},
                              {}, QProcessEnvironment::systemEnvironment(), folder.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.outLines().size(), 11);
    EXPECT_EQ(run.outLines().constLast(), QStringLiteral("Anzahl der Lösungen: 1"));
}

// QtGui reads the pictures of `bild` and draws the charts of `symbole` without a display (see
// CliBild.RunsWithoutADisplay); widgets and the network stay out.
TEST(CliProcess, LinksQtCoreAndGuiButNeitherWidgetsNorNetwork)
{
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {cliProgramPath()});
    ASSERT_TRUE(ldd.waitForFinished(10000));
    ASSERT_EQ(ldd.exitCode(), 0);
    const QByteArray libraries = ldd.readAllStandardOutput();
    EXPECT_TRUE(libraries.contains("libQt6Core")) << libraries.toStdString();
    EXPECT_TRUE(libraries.contains("libQt6Gui")) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains("libQt6Widgets")) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains("libQt6Network")) << libraries.toStdString();
}

TEST(CliProcess, AnswersEachTypedLineBeforeTheInputEnds)
{
    QProcess process;
    process.start(cliProgramPath(), {QStringLiteral("rot")});
    ASSERT_TRUE(process.waitForStarted(10000));
    process.write("abc\n");
    // The input stays open: the result must come without waiting for its end.
    QByteArray out;
    while (!out.contains('\n') && process.waitForReadyRead(10000))
        out += process.readAllStandardOutput();
    EXPECT_EQ(out, "nop\n");
    process.write("def");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.readAllStandardOutput(), "qrs\n"); // a last line without line end counts
    EXPECT_EQ(process.exitCode(), 0);
}
