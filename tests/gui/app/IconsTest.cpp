#include "gui/support/Icons.h"
#include "fakes/TestApp.h"
#include "gui/app/Einstellungen_Unit.h"
#include "gui/app/Info_Unit.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/Splash_Unit.h"
#include "gui/cacher/Cacher_Unit.h"
#include "gui/solvers/Fermil_Unit.h"
#include "gui/solvers/uSudoku.h"
#include "gui/tools/Hilfsfenster_Unit.h"
#include "gui/update/Upd_DL_Unit.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The theme the desktop names; restored when a test is done with its own.
class ThemeScope
{
public:
    ThemeScope()
        : m_name(QIcon::themeName())
        , m_paths(QIcon::themeSearchPaths())
    {
    }
    ~ThemeScope()
    {
        QIcon::setThemeSearchPaths(m_paths);
        QIcon::setThemeName(m_name);
    }
    ThemeScope(const ThemeScope &) = delete;
    ThemeScope &operator=(const ThemeScope &) = delete;

private:
    QString m_name;
    QStringList m_paths;
};

bool allTransparent(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
        }
    }
    return true;
}

QImage imageOf(const QIcon &icon, int size)
{
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Every name the menus and the tool bar ask the theme for, and our own Sudoku picture.
const char *const kActionNames[] = {
    "application-exit",
    "edit-cut",
    "edit-copy",
    "edit-paste",
    "accessories-calculator",
    "accessories-character-map",
    "accessories-text-editor",
    "help-about",
    "help-contents",
    "preferences-system",
    "x-office-address-book",
    "system-software-update",
    "quarvel-sudoku",
};

} // namespace

TEST(Icons, ApplicationIconComesInEveryHicolorSize)
{
    const QIcon icon = Icons::application();
    const QList<QSize> available = icon.availableSizes();
    ASSERT_EQ(Icons::applicationSizes(), QList<int>({16, 22, 24, 32, 48, 64, 128, 256}));
    for (int size : Icons::applicationSizes()) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(available.contains(QSize(size, size)));
        const QImage image(QStringLiteral(":/icons/quarvel-%1.png").arg(size));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(size, size));
        // The disc fills the middle; the corners stay transparent.
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    }
}

TEST(Icons, OwnDrawingOfEveryEntryInEverySize)
{
    for (const char *name : kActionNames) {
        for (int size : Icons::actionSizes()) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(size));
            const QImage image(
                QStringLiteral(":/icons/actions/%1-%2.png").arg(QLatin1String(name)).arg(size));
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(image.size(), QSize(size, size));
            EXPECT_FALSE(allTransparent(image.convertToFormat(QImage::Format_ARGB32)));
        }
    }
}

TEST(Icons, WithoutAThemeEveryEntryShowsOurOwnDrawing)
{
    ThemeScope scope;
    QTemporaryDir empty;
    QIcon::setThemeSearchPaths({empty.path()});
    QIcon::setThemeName(QStringLiteral("kein-thema"));
    for (const char *name : kActionNames) {
        SCOPED_TRACE(name);
        const QImage own = imageOf(Icons::own(name), 24);
        EXPECT_EQ(imageOf(Icons::action(name), 24), own);
    }
}

TEST(Icons, ThemePictureWinsWhereTheThemeHasIt)
{
    ThemeScope scope;
    QTemporaryDir themes;
    const QString theme = themes.path() + QStringLiteral("/probe");
    ASSERT_TRUE(QDir().mkpath(theme + QStringLiteral("/24x24/actions")));
    QFile index(theme + QStringLiteral("/index.theme"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=probe\nDirectories=24x24/actions\n\n"
                "[24x24/actions]\nSize=24\nType=Fixed\n");
    index.close();
    QImage magenta(24, 24, QImage::Format_ARGB32);
    magenta.fill(qRgb(255, 0, 255));
    ASSERT_TRUE(magenta.save(theme + QStringLiteral("/24x24/actions/edit-cut.png")));
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName(QStringLiteral("probe"));

    EXPECT_EQ(imageOf(Icons::action("edit-cut"), 24).pixel(12, 12), qRgb(255, 0, 255));
    // The theme lacks this one: our own stands in.
    EXPECT_EQ(imageOf(Icons::action("edit-paste"), 24), imageOf(Icons::own("edit-paste"), 24));
}

TEST(Icons, ToolBarPicturesAreDistinctAndOurOwnWithoutATheme)
{
    ThemeScope scope;
    QTemporaryDir empty;
    QIcon::setThemeSearchPaths({empty.path()});
    QIcon::setThemeName(QStringLiteral("kein-thema"));
    TestApp app;
    TfrmQuarvelMain w(app.context);
    QSet<QByteArray> seen;
    for (QAction *action : w.ToolBar1->actions()) {
        if (action->isSeparator())
            continue;
        SCOPED_TRACE(action->objectName().toStdString());
        const QImage image = imageOf(action->icon(), 24);
        ASSERT_FALSE(image.isNull());
        EXPECT_FALSE(allTransparent(image));
        const QByteArray bytes(reinterpret_cast<const char *>(image.constBits()),
                               image.sizeInBytes());
        EXPECT_FALSE(seen.contains(bytes)) << "two entries share one picture";
        seen.insert(bytes);
    }
    EXPECT_EQ(seen.size(), 9);
}

TEST(Icons, EveryWindowCarriesTheApplicationIcon)
{
    const QIcon before = QApplication::windowIcon();
    QApplication::setWindowIcon(Icons::application());
    const QImage expected = imageOf(Icons::application(), 32);
    TestApp app;
    auto main = std::make_unique<TfrmQuarvelMain>(app.context);
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(std::make_unique<TfrmSplash>(QStringLiteral("1.0.0.0")));
    windows.push_back(std::make_unique<TfrmInfo>(app.context));
    windows.push_back(std::make_unique<TfrmEinstellungen>(app.context, *main));
    windows.push_back(std::make_unique<TfrmMisc>());
    windows.push_back(std::make_unique<TfrmCacher>(app.context));
    windows.push_back(std::make_unique<TfrmSudoku>(app.context));
    windows.push_back(std::make_unique<TfrmFermilab>(app.context));
    auto *updDL = new TfrmUpdDL(app.context, main.get());
    EXPECT_EQ(imageOf(main->windowIcon(), 32), expected);
    EXPECT_EQ(imageOf(updDL->windowIcon(), 32), expected);
    for (const auto &window : windows) {
        SCOPED_TRACE(window->objectName().toStdString());
        EXPECT_EQ(imageOf(window->windowIcon(), 32), expected);
    }
    windows.clear();
    main.reset();
    QApplication::setWindowIcon(before);
}
