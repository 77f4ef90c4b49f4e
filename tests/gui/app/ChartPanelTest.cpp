#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/panels/ChartPicture.h"
#include "gui/app/panels/gboxDiagramm.h"
#include "gui/support/DesignSize.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QString kBin = QString::fromUtf8(QUARVEL_BIN_DIR) + u'/';

struct ChartFile
{
    const char16_t *node;
    const char16_t *file;
    const char *format;
};

const ChartFile kCharts[] = {
    {u"Brailleschrift", u"Braille_Alphabet.jpg", "jpeg"},
    {u"Buchstabenwerte", u"Zahlenwerte.jpg", "jpeg"},
    {u"Dancing Men Cypher", u"dancing_men_cypher.jpg", "jpeg"},
    {u"Flaggenalphabet", u"Flaggenalphabet.png", "png"},
    {u"Freimaurer-Code", u"Freimaurer_Code.jpg", "jpeg"},
    {u"Hexenschrift", u"Hexenschrift.jpg", "jpeg"},
    {u"Morse-Code", u"Morse_Code.jpg", "jpeg"},
    {u"Römische Zahlen", u"Roemische_Zahlen.jpg", "jpeg"},
    {u"Stabzahlen", u"Stabzahlen.jpg", "jpeg"},
};

QTreeWidgetItem *findNode(QTreeWidget *tree, const QString &text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// A main window whose first navigator change (which the window swallows) is already made.
struct MainWindowFixture
{
    explicit MainWindowFixture(TestApp &app)
        : window(app.context)
    {
        window.TreeView1->setCurrentItem(findNode(window.TreeView1, QStringLiteral("Koordinaten")));
    }

    void choose(const QString &node)
    {
        QTreeWidgetItem *item = findNode(window.TreeView1, node);
        ASSERT_NE(item, nullptr) << node.toStdString();
        window.TreeView1->setCurrentItem(item);
    }

    gboxDiagramm *panel()
    {
        return window.findChild<gboxDiagramm *>(QStringLiteral("gboxDiagramm"));
    }
    QImage picture() { return panel()->ImageContainer->picture(); }

    TfrmQuarvelMain window;
};

bool copyChart(const QString &file, const QString &toDir)
{
    return QFile::copy(kBin + file, toDir + u'/' + file);
}

} // namespace

TEST(ChartFiles, LieBesideTheProgramInTheirFormatAndFitThePanel)
{
    for (const ChartFile &chart : kCharts) {
        const QString path = kBin + QString::fromUtf16(chart.file);
        SCOPED_TRACE(path.toStdString());
        ASSERT_TRUE(QFile::exists(path));
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), QByteArray(chart.format));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), QSize(498, 452));
        EXPECT_EQ(image.hasAlphaChannel(), QByteArray(chart.format) == "png");
    }
}

TEST(ChartFiles, FlagChartIsTransparentAroundTheFlags)
{
    const QImage flags(kBin + QStringLiteral("Flaggenalphabet.png"));
    ASSERT_FALSE(flags.isNull());
    EXPECT_EQ(qAlpha(flags.pixel(2, 2)), 0);
    EXPECT_EQ(qAlpha(flags.pixel(flags.width() - 3, flags.height() - 3)), 0);
    int opaque = 0;
    for (int y = 0; y < flags.height(); y += 4)
        for (int x = 0; x < flags.width(); x += 4)
            opaque += qAlpha(flags.pixel(x, y)) == 255;
    EXPECT_GT(opaque, 1000); // the flags themselves are solid
}

TEST(ChartPicture, DrawsAtOwnSizeWhenItFitsElseScalesDownKeepingProportions)
{
    struct Case
    {
        QSize picture, control, expected;
    };
    const Case cases[] = {
        {{100, 80}, {498, 452}, {100, 80}}, // smaller: own size, never enlarged
        {{498, 452}, {498, 452}, {498, 452}}, // exactly fitting
        {{996, 452}, {498, 452}, {498, 226}}, // wider: limited by the width
        {{300, 904}, {498, 452}, {150, 452}}, // taller: limited by the height
        {{1000, 999}, {498, 452}, {452, 452}}, // wide, but the height limits
        {{1000, 900}, {498, 400}, {444, 400}}, // 400 * 1000 / 900 = 444.4, truncated
        {{999, 1000}, {498, 300}, {299, 300}}, // tall, height limits
        {{400, 800}, {100, 800}, {100, 200}}, // tall, the width still too large
        {{400, 380}, {498, 300}, {315, 300}}, // fits the width, too high
        {{600, 100}, {498, 1000}, {498, 83}}, // a taller control does not enlarge it
        {{0, 0}, {498, 452}, {0, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << "x" << c.picture.height() << " in "
                                        << c.control.width() << "x" << c.control.height());
        EXPECT_EQ(ChartPicture::drawnSize(c.picture, c.control), c.expected);
    }
}

TEST(ChartPanel, EachNodeShowsItsChartUnderItsCaption)
{
    TestApp app;
    MainWindowFixture main(app);
    for (const ChartFile &chart : kCharts) {
        const QString node = QString::fromUtf16(chart.node);
        SCOPED_TRACE(node.toStdString());
        main.choose(node);
        EXPECT_EQ(main.window.gboxOben->title(), QStringLiteral(" Diagramme "));
        EXPECT_EQ(main.window.lblOben->text(), QStringLiteral("Verschiedene nützliche Diagramme"));
        EXPECT_TRUE(main.window.lblOben2->text().isEmpty());
        EXPECT_EQ(main.window.Panel2->currentWidget(), main.panel());
        EXPECT_EQ(main.panel()->title(), u' ' + node + u' ');
        EXPECT_EQ(main.picture(), QImage(kBin + QString::fromUtf16(chart.file)));
    }
    EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.lastText().toStdString();
}

TEST(ChartPanel, MissingOrBrokenFileIsReportedAndThePreviousChartStays)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(copyChart(QStringLiteral("Stabzahlen.jpg"), dir.path()));
    TestApp app;
    app.globals.ExePfad = dir.path() + u'/';
    MainWindowFixture main(app);
    main.choose(QStringLiteral("Stabzahlen"));
    const QImage stabzahlen = main.picture();
    ASSERT_FALSE(stabzahlen.isNull());

    main.choose(QStringLiteral("Morse-Code"));
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    const Dialogs::Message missing = app.dialogs.messages.takeFirst();
    EXPECT_EQ(missing.title, QStringLiteral("Quarvel"));
    EXPECT_EQ(missing.icon, Dialogs::Icon::Error);
    const QString prefix = QStringLiteral("Datei %1Morse_Code.jpg kann nicht geöffnet werden. ")
                               .arg(app.globals.ExePfad);
    EXPECT_TRUE(missing.text.startsWith(prefix)) << missing.text.toStdString();
    EXPECT_GT(missing.text.size(), prefix.size() + 1); // the system's reason follows
    EXPECT_EQ(main.panel()->title(), QStringLiteral(" Morse-Code "));
    EXPECT_EQ(main.window.gboxOben->title(), QStringLiteral(" Diagramme "));
    EXPECT_EQ(main.picture(), stabzahlen);

    // A file that is there but is no JPEG fails with the decoder's message.
    QFile broken(dir.filePath(QStringLiteral("Hexenschrift.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("this is not a picture");
    broken.close();
    main.choose(QStringLiteral("Hexenschrift"));
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_FALSE(app.dialogs.lastText().isEmpty());
    EXPECT_FALSE(app.dialogs.lastText().contains(QStringLiteral("kann nicht geöffnet")));
    EXPECT_EQ(main.panel()->title(), QStringLiteral(" Hexenschrift "));
    EXPECT_EQ(main.picture(), stabzahlen);
}

TEST(ChartPanel, PictureKeepsItsWidthAndFollowsThePanelsHeight)
{
    TestApp app;
    gboxDiagramm panel(app.context);
    for (const QSize size : {QSize(800, 700), QSize(600, 300), QSize(560, 520)}) {
        SCOPED_TRACE(size.height());
        panel.resize(size);
        panel.show();
        const auto d = [&panel](int designed) { return DesignSize::px(&panel, designed); };
        EXPECT_EQ(panel.ImageContainer->geometry(),
                  QRect(d(23), d(37), d(498), size.height() - d(37) - d(12)));
    }
}

TEST(ChartPanel, PanelBackgroundShowsThroughTheFlagChart)
{
    TestApp app;
    gboxDiagramm panel(app.context);
    panel.resize(560, 560);
    const QImage empty = panel.grab().toImage();
    panel.showChart(kBin + QStringLiteral("Flaggenalphabet.png"));
    const QImage shot = panel.grab().toImage();
    // Bottom right of the chart is transparent, a flag's red field is not. The chart is drawn
    // scaled to the control's width at this screen's resolution.
    const QRect control = panel.ImageContainer->geometry();
    const double scale = control.width() / 498.0;
    const auto onChart = [&](int x, int y) {
        return control.topLeft() + QPoint(int(x * scale), int(y * scale));
    };
    const QPoint transparent = onChart(490, 445);
    const QPoint flagB = onChart(133, 80);
    EXPECT_EQ(QColor(shot.pixel(transparent)), QColor(empty.pixel(transparent)));
    EXPECT_NE(QColor(shot.pixel(flagB)), QColor(empty.pixel(flagB)));
    EXPECT_EQ(QColor(shot.pixel(flagB)), QColor(204, 20, 30));
}
