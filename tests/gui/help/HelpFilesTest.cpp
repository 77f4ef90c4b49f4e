// The help as the build leaves it beside the program: "Quarvel.chm" and the same pages in
// "hilfe/".
#include "logic/common/HelpTopics.h"
#include "support/core/ChmDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

const QString kBin = QString::fromUtf8(QUARVEL_BIN_DIR) + u'/';

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList htmlPages()
{
    return QDir(kBin + QString::fromUtf16(Help::HtmlFolder))
        .entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

} // namespace

TEST(HelpFiles, TheCompiledHelpHasAValidHeaderAndListsEveryPage)
{
    const QByteArray chm = contents(kBin + QString::fromUtf16(Help::ChmFile));
    ASSERT_FALSE(chm.isEmpty()) << "Quarvel.chm missing beside the program";
    const ChmDirectory directory = readChmDirectory(chm);
    ASSERT_TRUE(directory.valid);
    const QStringList pages = htmlPages();
    ASSERT_GE(pages.size(), Help::openablePages().size());
    for (const QString &page : pages) {
        SCOPED_TRACE(page.toStdString());
        EXPECT_TRUE(directory.names.contains(u'/' + page));
    }
    EXPECT_TRUE(directory.names.contains(QStringLiteral("/hilfe.css")));
    // The contents and the table of context numbers (1000 = the start page) are compiled in.
    for (const char *name : {"/#SYSTEM", "/#IVB", "/#TOPICS", "/Quarvel.hhc"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(directory.names.contains(QString::fromLatin1(name)));
    }
}

TEST(HelpFiles, AHeaderThatIsNoCompiledHelpIsRecognised)
{
    QByteArray chm = contents(kBin + QString::fromUtf16(Help::ChmFile));
    ASSERT_FALSE(chm.isEmpty());
    const std::pair<const char *, QByteArray> broken[] = {
        {"empty", QByteArray()},
        {"other signature", QByteArray("ITSX") + chm.mid(4)},
        {"cut after the header", chm.left(0x60)},
        {"directory moved", chm.left(0x48) + QByteArray(8, '\x7f') + chm.mid(0x50)},
    };
    for (const auto &[name, bytes] : broken) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(readChmDirectory(bytes).valid);
    }
}

TEST(HelpFiles, EveryPageTheProgramOpensExists)
{
    const QStringList pages = htmlPages();
    for (const QString &page : Help::openablePages()) {
        SCOPED_TRACE(page.toStdString());
        EXPECT_TRUE(pages.contains(page));
    }
    EXPECT_EQ(Help::openablePages().first(), QString::fromUtf16(Help::StartPage));
}

TEST(HelpFiles, EveryLinkLeadsToAPageAndAnchorThatExist)
{
    const QString folder = kBin + QString::fromUtf16(Help::HtmlFolder);
    const QRegularExpression link(QStringLiteral(R"re((?:href|src)="([^"]*)")re"));
    const QRegularExpression anchor(QStringLiteral(R"re(\bid="([^"]*)")re"));
    QSet<QString> reached {QString::fromUtf16(Help::StartPage)};
    const QStringList pages = htmlPages();
    for (const QString &page : pages) {
        const QString html = QString::fromUtf8(contents(folder + page));
        SCOPED_TRACE(page.toStdString());
        EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        EXPECT_TRUE(html.contains(QStringLiteral("<title>")));
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            SCOPED_TRACE(target.toStdString());
            ASSERT_FALSE(target.contains(u':')) << "the help links only to its own pages";
            const QString file = target.section(u'#', 0, 0);
            const QString id = target.section(u'#', 1);
            const QString path = file.isEmpty() ? page : file;
            ASSERT_TRUE(QFileInfo::exists(folder + path));
            reached.insert(path);
            if (!id.isEmpty()) {
                QStringList ids;
                const QString linked = QString::fromUtf8(contents(folder + path));
                for (auto a = anchor.globalMatch(linked); a.hasNext();)
                    ids << a.next().captured(1);
                EXPECT_TRUE(ids.contains(id));
            }
        }
    }
    // No page is an orphan that no other page leads to.
    for (const QString &page : pages) {
        SCOPED_TRACE(page.toStdString());
        EXPECT_TRUE(reached.contains(page));
    }
}
