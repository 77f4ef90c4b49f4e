// What the help says about the main window, held against the window itself: every menu entry
// with its key, and every window size a page names. The program's side is read from the real
// window, so a new menu entry needs only its line in the help.
#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/support/DesignSize.h"
#include "logic/common/HelpTopics.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QToolBar>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <vector>

namespace {

const QString kHelp =
    QString::fromUtf8(QUARVEL_BIN_DIR) + u'/' + QString::fromUtf16(Help::HtmlFolder);

struct MenuEntry
{
    QString menu;
    QString entry;
    QString key; // as Qt writes it in English: "Ctrl+X", "F1"
};

std::string describe(const MenuEntry &e)
{
    return (e.menu + QStringLiteral(" › ") + e.entry).toStdString();
}

QString pageText(const QString &page)
{
    QFile file(kHelp + page);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString plain(const QString &html)
{
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

// The visible entries of the menu bar, separators and the unused program slots left out.
std::vector<MenuEntry> programMenu(TfrmQuarvelMain &w)
{
    std::vector<MenuEntry> entries;
    for (QAction *menuAction : w.menuBar()->actions()) {
        QMenu *menu = menuAction->menu();
        if (!menu)
            continue;
        const QString title = menu->title().remove(u'&');
        for (QAction *action : menu->actions()) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            entries.push_back({title, action->text().remove(u'&'),
                               action->shortcut().toString(QKeySequence::PortableText)});
        }
    }
    return entries;
}

// The rows of the table class="menue": menu, entry, key (German "Strg" is Qt's "Ctrl").
std::vector<MenuEntry> helpMenu(const QString &html)
{
    std::vector<MenuEntry> entries;
    static const QRegularExpression table(QStringLiteral(R"(<table class="menue">(.*?)</table>)"),
                                          QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression row(QStringLiteral("<tr>(.*?)</tr>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cell(QStringLiteral("<td[^>]*>(.*?)</td>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    const QString rows = table.match(html).captured(1);
    for (const auto &r : row.globalMatch(rows)) {
        QStringList cells;
        for (const auto &c : cell.globalMatch(r.captured(1)))
            cells << plain(c.captured(1));
        if (cells.size() < 3)
            continue; // the heading
        entries.push_back(
            {cells[0], cells[1],
             QString(cells[2]).replace(QStringLiteral("Strg"), QStringLiteral("Ctrl"))});
    }
    return entries;
}

const MenuEntry *find(const std::vector<MenuEntry> &entries, const MenuEntry &wanted)
{
    for (const MenuEntry &e : entries) {
        if (e.menu == wanted.menu && e.entry == wanted.entry)
            return &e;
    }
    return nullptr;
}

} // namespace

TEST(HelpMatchesProgram, EveryMenuEntryIsInTheHelpWithItsKey)
{
    TestApp app;
    TfrmQuarvelMain w(app.context);
    const std::vector<MenuEntry> help = helpMenu(pageText(QStringLiteral("hauptfenster.html")));
    ASSERT_FALSE(help.empty()) << "no menu table in hauptfenster.html";
    const std::vector<MenuEntry> program = programMenu(w);
    ASSERT_FALSE(program.empty());
    for (const MenuEntry &entry : program) {
        SCOPED_TRACE(describe(entry));
        const MenuEntry *described = find(help, entry);
        EXPECT_NE(described, nullptr) << "the help lacks this entry";
        if (described) {
            EXPECT_EQ(described->key, entry.key);
        }
    }
}

TEST(HelpMatchesProgram, EveryEntryTheHelpNamesIsInTheMenu)
{
    TestApp app;
    TfrmQuarvelMain w(app.context);
    const std::vector<MenuEntry> program = programMenu(w);
    for (const MenuEntry &entry : helpMenu(pageText(QStringLiteral("hauptfenster.html")))) {
        SCOPED_TRACE(describe(entry));
        EXPECT_NE(find(program, entry), nullptr) << "the program has no such entry";
    }
}

// The help writes the tool bar as "Von links: Rechner, Zeichentabelle | Editor | ...".
TEST(HelpMatchesProgram, TheToolBarIsAsTheHelpDescribesIt)
{
    TestApp app;
    TfrmQuarvelMain w(app.context);
    QString program;
    for (QAction *action : w.ToolBar1->actions()) {
        if (!action->isVisible())
            continue;
        if (action->isSeparator())
            program += QStringLiteral(" |");
        else
            program += (program.isEmpty() || program.endsWith(u'|') ? QStringLiteral(" ")
                                                                    : QStringLiteral(", ")) +
                action->text().remove(u'&');
    }
    static const QRegularExpression toolBar(QStringLiteral(R"(Von links: ([^.]*)\.)"));
    const QString help =
        toolBar.match(plain(pageText(QStringLiteral("hauptfenster.html")))).captured(1);
    ASSERT_FALSE(help.isEmpty()) << "no \"Von links: ...\" in hauptfenster.html";
    EXPECT_EQ(help, program.trimmed());
}

// A size reads "W × H Bildpunkte bei D dpi" (or "W × H bei D dpi" after the first); the
// designed sizes are made for 120 dpi and scale with the screen (DesignSize).
TEST(HelpMatchesProgram, EveryWindowSizeTheHelpNamesIsTheWindowsOwn)
{
    TestApp app;
    TfrmQuarvelMain main(app.context);
    // The windows whose size a page may name, by page.
    const std::map<QString, std::function<QSize()>> windows = {
        {QStringLiteral("hauptfenster.html"), [&] { return main.minimumSize(); }},
    };
    static const QRegularExpression size(
        QStringLiteral(R"((\d+) × (\d+)(?: Bildpunkte)? bei (\d+) dpi)"));
    static const QRegularExpression withoutDpi(
        QStringLiteral(R"(\d+ × \d+ Bildpunkte\b(?! bei \d+ dpi))"));
    const double scale = DesignSize::scale(&main);
    int checked = 0;
    for (const QString &page :
         QDir(kHelp).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        SCOPED_TRACE(page.toStdString());
        const QString text = plain(pageText(page));
        EXPECT_FALSE(withoutDpi.match(text).hasMatch())
            << "a window size needs its screen resolution: "
            << withoutDpi.match(text).captured().toStdString();
        for (const auto &m : size.globalMatch(text)) {
            SCOPED_TRACE(m.captured().toStdString());
            const auto window = windows.find(page);
            ASSERT_NE(window, windows.end()) << "this test does not know the window of the page";
            const QSize actual = window->second();
            const double factor = m.captured(3).toDouble() / DesignSize::kDesignDpi / scale;
            // Each length is rounded once on its way to the screen: one pixel either way.
            EXPECT_NEAR(m.captured(1).toInt(), actual.width() * factor, 1.0);
            EXPECT_NEAR(m.captured(2).toInt(), actual.height() * factor, 1.0);
            ++checked;
        }
    }
    EXPECT_GE(checked, 2) << "the main window's page names its minimum size at 96 and 120 dpi";
}
