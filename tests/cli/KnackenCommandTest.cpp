#include "cli/CliProcess.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QString kRot13 = QStringLiteral("Qre Fpungm yvrtg hagre qre nygra Rvpur");

} // namespace

TEST(KnackenCommand, JsonListsTheCandidatesBestFirst)
{
    const CliRun run = runCli({QStringLiteral("knacken"), QStringLiteral("--json"),
                               QStringLiteral("--anzahl"), QStringLiteral("3"), kRot13});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject object = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(object.value(u"eingabe").toString(), kRot13);
    const QJsonArray candidates = object.value(u"kandidaten").toArray();
    ASSERT_EQ(candidates.size(), 3);
    const QJsonObject best = candidates.first().toObject();
    EXPECT_EQ(best.value(u"verfahren").toString(), u"rot");
    EXPECT_EQ(best.value(u"schluessel").toString(), u"13");
    EXPECT_EQ(best.value(u"klartext").toString(), u"Der Schatz liegt unter der alten Eiche");
    EXPECT_EQ(best.value(u"sprache").toString(), u"de");
    EXPECT_GE(best.value(u"bewertung").toDouble(),
              candidates.at(1).toObject().value(u"bewertung").toDouble());
}

TEST(KnackenCommand, OptionsShapeTheList)
{
    const struct
    {
        const char *name;
        QStringList arguments;
        QStringList expected;
    } cases[] = {
        {"only atbash",
         {QStringLiteral("--nur"), QStringLiteral("atbash"), QStringLiteral("Wvi Hxszga")},
         {QStringLiteral("1. atbash: Der Schatz")}},
        {"with a key",
         {QStringLiteral("--nur"), QStringLiteral("vigenere"), QStringLiteral("--schluessel"),
          QStringLiteral("LEMON"), QStringLiteral("LXFOPVEFRNHR")},
         {QStringLiteral("1. vigenere (LEMON): ATTACKATDAWN")}},
        {"plain text stays first",
         {QStringLiteral("--anzahl"), QStringLiteral("1"), QStringLiteral("--sprache"),
          QStringLiteral("en"), QStringLiteral("the cache is under the old bridge")},
         {QStringLiteral("1. klartext: the cache is under the old bridge")}},
        {"stdin, one result per line",
         {QStringLiteral("--anzahl"), QStringLiteral("1"), QStringLiteral("--nur"),
          QStringLiteral("klartext,rot"), QStringLiteral("-")},
         {QStringLiteral("1. rot (13): Der Schatz liegt unter der alten Eiche"),
          QStringLiteral("1. klartext: Hallo Welt")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = runCli(QStringList {QStringLiteral("knacken")} + c.arguments,
                                  (kRot13 + QStringLiteral("\nHallo Welt\n")).toUtf8());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.outLines(), c.expected);
    }
}

TEST(KnackenCommand, WrongUseIsRefused)
{
    const struct
    {
        const char *name;
        QStringList arguments;
        int exitCode;
        const char *message;
    } cases[] = {
        {"count zero",
         {QStringLiteral("--anzahl"), QStringLiteral("0"), QStringLiteral("x")},
         2,
         "Die Anzahl muss eine ganze Zahl ab 1 sein"},
        {"count not a number",
         {QStringLiteral("--anzahl"), QStringLiteral("zehn")},
         2,
         "Die Anzahl muss eine ganze Zahl ab 1 sein"},
        {"unknown method",
         {QStringLiteral("--nur"), QStringLiteral("lorenz")},
         2,
         "Unbekanntes Verfahren"},
        {"unknown language", {QStringLiteral("--sprache"), QStringLiteral("fr")}, 2, "fr"},
        {"text too long", {QString(20001, u'x')}, 1, "zu lang"},
        {"crib without letters",
         {QStringLiteral("--krippe"), QStringLiteral("123"), QStringLiteral("x")},
         2,
         "Die Krippe braucht mindestens einen Buchstaben"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = runCli(QStringList {QStringLiteral("knacken")} + c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(QString::fromUtf8(c.message)))
            << run.err.toStdString();
    }
}

// --leerzeichen puts the words of a plain text without blanks apart, with the list of its
// language; without the list the reading stays as it is and a warning names the package.
TEST(KnackenCommand, BlanksComeFromTheWordList)
{
    QTemporaryDir dir;
    QFile list(dir.filePath(QStringLiteral("ngerman")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("wer\nanderen\neine\nGrube\ngräbt\n");
    list.close();
    const QStringList common = {QStringLiteral("knacken"), QStringLiteral("--nur"),
                                QStringLiteral("rot"),     QStringLiteral("--sprache"),
                                QStringLiteral("de"),      QStringLiteral("--anzahl"),
                                QStringLiteral("1"),       QStringLiteral("--wortlisten")};
    const QString text = QStringLiteral("JRENAQRERARVARTEHORTENROG");
    const CliRun run = runCli(common + QStringList {dir.path(), text});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.outLines(),
              QStringList {QStringLiteral("1. rot (13): WER ANDEREN EINE GRUBE GRAEBT")});

    // Without the list the reading comes without blanks, and a warning names the package.
    const CliRun missing =
        runCli(common + QStringList {dir.filePath(QStringLiteral("fehlt")), text});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_EQ(missing.outLines(),
              QStringList {QStringLiteral("1. rot (13): WERANDERENEINEGRUBEGRAEBT")});
    EXPECT_TRUE(missing.err.contains("Paket wngerman installieren")) << missing.err.toStdString();
}

// A list that is a pipe without a writer, or a folder, is refused at once instead of waiting
// in open() for ever.
TEST(KnackenCommand, AWordListThatIsNoRegularFileIsRefused)
{
    QTemporaryDir dir;
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("ngerman"))).constData(), 0600),
              0);
    QTemporaryDir folderDir;
    ASSERT_TRUE(QDir(folderDir.path()).mkdir(QStringLiteral("ngerman")));
    for (const QString &folder : {dir.path(), folderDir.path()}) {
        SCOPED_TRACE(folder.toStdString());
        const CliRun run =
            runCli({QStringLiteral("knacken"), QStringLiteral("--nur"), QStringLiteral("rot"),
                    QStringLiteral("--sprache"), QStringLiteral("de"), QStringLiteral("--anzahl"),
                    QStringLiteral("1"), QStringLiteral("--wortlisten"), folder,
                    QStringLiteral("JRENAQRERARVARTEHORTENROG")});
        // Refused, and the readings come without blanks beside the warning.
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_FALSE(run.out.isEmpty());
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(QStringLiteral("keine gewöhnliche Datei")))
            << run.err.toStdString();
    }
}

namespace {

const QString kPlayfair =
    QStringLiteral("BO ST GF CU WP BA CQ TP RC SB BW EP RC LC FA BG OP ZE MB UE MF PC BG BO WL "
                   "SQ OA LG TP BX EU RC UC TI BO TN FP");

QJsonObject knackenJson(const QStringList &arguments)
{
    const CliRun run =
        runCli(QStringList {QStringLiteral("knacken"), QStringLiteral("--json")} + arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return QJsonDocument::fromJson(run.out).object();
}

} // namespace

TEST(KnackenCommand, JsonSaysWhetherTheFirstReadsAndWhatTheTextIs)
{
    const QJsonObject readable =
        knackenJson({QStringLiteral("--nur"), QStringLiteral("klartext,rot"),
                     QStringLiteral("--anzahl"), QStringLiteral("1"), kRot13});
    EXPECT_TRUE(readable.value(u"lesbar").toBool());
    EXPECT_EQ(readable.value(u"kandidaten").toArray().size(), 1);
    const QJsonArray rot = readable.value(u"erkennung").toArray();
    ASSERT_FALSE(rot.isEmpty());
    EXPECT_EQ(rot.first().toObject().value(u"verfahren").toString(), u"rot");

    const QJsonObject salad =
        knackenJson({QStringLiteral("--nur"), QStringLiteral("klartext,rot,atbash"), kPlayfair});
    EXPECT_FALSE(salad.value(u"lesbar").toBool());
    EXPECT_FALSE(salad.value(u"kandidaten").toArray().isEmpty());
    const QJsonArray guesses = salad.value(u"erkennung").toArray();
    ASSERT_FALSE(guesses.isEmpty());
    const QJsonObject first = guesses.first().toObject();
    EXPECT_EQ(first.value(u"familie").toString(), u"digraphisch");
    EXPECT_EQ(first.value(u"verfahren").toString(), u"playfair");
    EXPECT_GT(first.value(u"wahrscheinlichkeit").toDouble(), 0.3);
    EXPECT_FALSE(first.value(u"gruende").toArray().isEmpty());
    for (const QJsonValue &guess : guesses) {
        // "verfahren" is a name or null, never missing.
        EXPECT_TRUE(guess.toObject().contains(u"verfahren"));
    }
}

TEST(KnackenCommand, TextFormSaysWhenNothingReads)
{
    const CliRun run =
        runCli({QStringLiteral("knacken"), QStringLiteral("--nur"), QStringLiteral("klartext,rot"),
                QStringLiteral("--anzahl"), QStringLiteral("1"), kPlayfair});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString out = QString::fromUtf8(run.out);
    EXPECT_TRUE(out.startsWith(u"Kein Kandidat ergibt lesbaren Text."_qs)) << run.out.toStdString();
    EXPECT_TRUE(out.contains(u"digraphisch, playfair"_qs)) << run.out.toStdString();
    EXPECT_TRUE(out.contains(u"1. "_qs));
}

TEST(KnackenCommand, CribAndChainsChangeTheFirstReading)
{
    // ROT 13 of the Base64 text: one step gives salad, two give the sentence.
    const QString chained = QStringLiteral("UXJlIEZwdW5nbSB5dnJ0ZyBoYWdyZSBxcmUgbnlncmEgUnZwdXI=");
    const struct
    {
        const char *name;
        QStringList arguments;
        const char *first;
    } cases[] = {
        {"chains off", {chained}, nullptr},
        {"chains on", {QStringLiteral("--ketten"), chained}, "base64 → rot"},
        {"without crib",
         {QStringLiteral("--nur"), QStringLiteral("rot"), QStringLiteral("Nbcd")},
         nullptr},
        {"with crib",
         {QStringLiteral("--nur"), QStringLiteral("rot"), QStringLiteral("--krippe"),
          QStringLiteral("aopq"), QStringLiteral("Nbcd")},
         "rot"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QJsonObject object = knackenJson(
            QStringList {QStringLiteral("--anzahl"), QStringLiteral("1")} + c.arguments);
        const QJsonObject best = object.value(u"kandidaten").toArray().first().toObject();
        if (c.first) {
            EXPECT_EQ(best.value(u"verfahren").toString(), QString::fromUtf8(c.first));
        } else {
            EXPECT_NE(best.value(u"verfahren").toString(), u"base64 → rot");
        }
        if (QString::fromUtf8(c.name) == u"with crib") {
            EXPECT_EQ(best.value(u"klartext").toString(), u"Aopq");
        }
    }
}
