#include "logic/common/HelpTopics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

TEST(HelpTopics, EveryPanelAndWindowHasItsPageAndTheRestTheContents)
{
    const std::pair<const char16_t *, const char16_t *> cases[] = {
        {u"gboxKoordinaten", u"koordinaten.html"},
        {u"gboxRömZahlen", u"roemische-zahlen.html"},
        {u"gboxDiagramm", u"diagramme.html"},
        {u"gboxChiffren", u"chiffren.html"},
        {u"frmSudoku", u"sudoku.html"},
        {u"frmUpdDL", u"update.html"},
        {u"frmKoordRechner", u"koordinatenrechner.html"},
        {u"gboxGcCode", u"gc-code.html"},
        {u"frmVariableKoordinaten", u"variable-koordinaten.html"},
        {u"frmKarte", u"karte.html"},
        {u"frmCodeKnacker", u"code-knacker.html"},
        {u"frmBildanalyse", u"bildanalyse.html"},
        {u"frmFormelrechner", u"formelrechner.html"},
        {u"frmSymbole", u"symbole.html"},
        {u"frmQuarvelMain", u"hauptfenster.html"},
        {u"pnlLeer", u"index.html"},
        {u"", u"index.html"},
        {u"gboxkoordinaten", u"index.html"}, // names are exact
    };
    for (const auto &[name, page] : cases) {
        SCOPED_TRACE(QString::fromUtf16(name).toStdString());
        EXPECT_EQ(Help::pageFor(QString::fromUtf16(name)), QString::fromUtf16(page));
    }
    const QStringList pages = Help::openablePages();
    EXPECT_EQ(pages.size(), 29);
    // Every panel of the calculating tools shares one page.
    EXPECT_EQ(Help::pageFor(QStringLiteral("gboxRechnenHashes")), QStringLiteral("rechnen.html"));
    EXPECT_EQ(Help::pageFor(QStringLiteral("gboxRechnenDatumZeit")),
              QStringLiteral("rechnen.html"));
    EXPECT_EQ(QSet<QString>(pages.begin(), pages.end()).size(), pages.size());
}

TEST(HelpTopics, TheCompiledHelpOpensOnlyForTheContentsAndOnlyWithAViewer)
{
    QTemporaryDir dir;
    const QString exe = dir.path() + u'/';
    const QString chm = exe + QStringLiteral("Quarvel.chm");
    const QString index = exe + QStringLiteral("hilfe/index.html");
    const QString page = exe + QStringLiteral("hilfe/sudoku.html");
    struct Case
    {
        bool chmThere, htmlThere, viewer;
        const char16_t *page;
        QString file, missing;
    };
    const Case cases[] = {
        {true, true, true, u"index.html", chm, {}},
        {true, true, false, u"index.html", index, {}},
        {false, true, true, u"index.html", index, {}},
        {true, false, true, u"index.html", chm, {}},
        {true, true, true, u"sudoku.html", page, {}},
        {true, false, true, u"sudoku.html", chm, {}},
        {true, false, false, u"sudoku.html", {}, page},
        {false, false, true, u"index.html", {}, chm},
        {false, false, false, u"index.html", {}, index},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.chmThere << c.htmlThere << c.viewer
                                          << QString::fromUtf16(c.page).toStdString());
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        if (c.chmThere)
            touch(chm);
        if (c.htmlThere) {
            touch(index);
            touch(page);
        }
        const Help::Target target = Help::targetFor(exe, QString::fromUtf16(c.page), c.viewer);
        EXPECT_EQ(target.file, c.file);
        EXPECT_EQ(target.missing, c.missing);
    }
    EXPECT_EQ(
        Help::missingHelpText(chm),
        QStringLiteral("Die Hilfe ist nicht installiert: Die Datei „%1“ wurde nicht gefunden.")
            .arg(chm));
}
