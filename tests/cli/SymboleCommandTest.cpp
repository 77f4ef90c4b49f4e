// quarvel-cli symbole as a process: the list in text and JSON, a strip and a chart written as
// PNG without a display, and every refusal with its reason and exit code.
#include "cli/CliProcess.h"
#include "symbols/SymbolTable.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// Without a display: the subcommand must bring its own offscreen platform.
QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return environment;
}

} // namespace

TEST(SymboleCommand, ListsEveryTableInTextAndJson)
{
    const CliRun text = runCli({QStringLiteral("symbole"), QStringLiteral("--liste")});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_EQ(text.outLines().size(), SymbolTables::all().size());
    EXPECT_TRUE(text.err.isEmpty()) << text.err.toStdString();
    const CliRun json =
        runCli({QStringLiteral("--json"), QStringLiteral("symbole"), QStringLiteral("--liste")});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonArray tables =
        QJsonDocument::fromJson(json.out).object().value(QStringLiteral("tabellen")).toArray();
    ASSERT_EQ(tables.size(), SymbolTables::all().size());
    const QJsonObject first = tables.first().toObject();
    const SymbolTables::Table &table = SymbolTables::all().first();
    EXPECT_EQ(first.value(QStringLiteral("name")).toString(), table.name);
    EXPECT_EQ(first.value(QStringLiteral("titel")).toString(), table.titel);
    EXPECT_EQ(first.value(QStringLiteral("zeichen")).toInt(), table.glyphen.size());
    EXPECT_EQ(first.value(QStringLiteral("quelle")).toString(), table.quelle);
    EXPECT_EQ(first.value(QStringLiteral("lizenz")).toString(), table.lizenz);
}

TEST(SymboleCommand, WritesStripAndChartWithoutDisplay)
{
    QTemporaryDir dir;
    const QString strip = dir.filePath(QStringLiteral("gruss.png"));
    const CliRun run =
        runCli({QStringLiteral("symbole"), QStringLiteral("futhark"), QStringLiteral("hallo welt"),
                QStringLiteral("--png"), strip, QStringLiteral("--hoehe"), QStringLiteral("48")},
               {}, withoutDisplay());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    const QImage image(strip);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.height(), 48);
    EXPECT_TRUE(run.outText().contains(QStringLiteral("Zeichen: 9")));

    const QString chart = dir.filePath(QStringLiteral("tafel.png"));
    const CliRun whole = runCli({QStringLiteral("symbole"), QStringLiteral("tanzende-maenner"),
                                 QStringLiteral("--tafel"), chart},
                                {}, withoutDisplay());
    ASSERT_EQ(whole.exitCode, 0) << whole.err.toStdString();
    EXPECT_FALSE(QImage(chart).isNull());
}

TEST(SymboleCommand, RefusalsNameTheirReason)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("x.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0600),
              0);
    const struct
    {
        QStringList arguments;
        int exitCode;
        const char *reason;
    } cases[] = {
        {{QStringLiteral("symbole"), QStringLiteral("gibtsnicht"), QStringLiteral("--tafel"), png},
         2,
         "Unbekannte Tafel"},
        {{QStringLiteral("symbole"), QStringLiteral("segment7"), QStringLiteral("12x"),
          QStringLiteral("--png"), png},
         1,
         "„x“ gibt es in der Tafel"},
        {{QStringLiteral("symbole"), QStringLiteral("segment7"), QStringLiteral("12")},
         2,
         "--png DATEI"},
        {{QStringLiteral("symbole"), QStringLiteral("segment7"), QStringLiteral("--tafel"), png,
          QStringLiteral("--hoehe"), QStringLiteral("15")},
         2,
         "16 bis 400"},
        {{QStringLiteral("symbole"), QStringLiteral("segment7"), QStringLiteral("--tafel"), png,
          QStringLiteral("--hoehe"), QStringLiteral("401")},
         2,
         "16 bis 400"},
        {{QStringLiteral("symbole"), QStringLiteral("segment7"), QStringLiteral("--tafel"),
          dir.filePath(QStringLiteral("fehlt/x.png"))},
         1,
         "fehlt/x.png"},
        // A FIFO without a reader fails at once instead of waiting for one.
        {{QStringLiteral("symbole"), QStringLiteral("segment7"), QStringLiteral("--tafel"),
          dir.filePath(QStringLiteral("fifo"))},
         1,
         "fifo"},
        {{QStringLiteral("symbole"), QStringLiteral("segment7"), QStringLiteral("--tafel"),
          QStringLiteral("/dev/full")},
         1,
         "/dev/full"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CliRun run = runCli(c.arguments, {}, withoutDisplay());
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(QString::fromUtf8(c.reason)))
            << run.err.toStdString();
    }
    // A text whose strip would be too wide for a picture is refused, not written half.
    const CliRun tooLong = runCli({QStringLiteral("symbole"), QStringLiteral("segment7"),
                                   QString(2000, u'8'), QStringLiteral("--png"), png},
                                  {}, withoutDisplay());
    EXPECT_EQ(tooLong.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(tooLong.err).contains(QStringLiteral("zu lang")));
    EXPECT_FALSE(QFile::exists(png));
    // The boundary heights themselves are accepted.
    for (const char *height : {"16", "400"}) {
        const CliRun run = runCli({QStringLiteral("symbole"), QStringLiteral("segment7"),
                                   QStringLiteral("--tafel"), png, QStringLiteral("--hoehe"),
                                   QString::fromLatin1(height)},
                                  {}, withoutDisplay());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    }
}
