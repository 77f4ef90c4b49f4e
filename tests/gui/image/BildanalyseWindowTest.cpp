#include "fakes/TestApp.h"
#include "gui/image/Bildanalyse_Unit.h"
#include "gui/image/HexModel.h"
#include "gui/image/ItemViewCopy.h"
#include "gui/image/LsbPage.h"
#include "gui/image/PictureView.h"
#include "gui/image/ReportTabs.h"
#include "gui/image/TestPictures.h"
#include "image/ImagePlanes.h"
#include "image/ImageTones.h"
#include "logic/common/QuarvelError.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// A 6 × 4 picture with a message in its colours: every pixel differs.
QImage testPicture()
{
    QImage image(6, 4, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 40 + y, 255 - x * 7, (x ^ y) * 30 + 1, 255));
    }
    return image;
}

struct BildanalyseFixture : ::testing::Test
{
    BildanalyseFixture()
    {
        window = std::make_unique<TfrmBildanalyse>(app.context);
        window->show();
    }
    QString write(const char *name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    void open(const QString &path)
    {
        window->openFile(path);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->loading(); }, 20000));
        QCoreApplication::processEvents(); // the queued hand-over
    }

    TestApp app;
    QTemporaryDir dir;
    std::unique_ptr<TfrmBildanalyse> window;
};

} // namespace

TEST_F(BildanalyseFixture, OpeningAPictureShowsItItsReportAndItsBytes)
{
    const QByteArray png = TestPictures::png(testPicture());
    const QString path = write("raetsel.png", png);
    app.dialogs.fileAnswers.push_back(path);
    window->btnOeffnen->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->loading(); }, 20000));
    QCoreApplication::processEvents();
    EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.lastText().toStdString();
    EXPECT_EQ(window->lblDatei->text(), u"raetsel.png");
    EXPECT_EQ(window->imgBild->image(), testPicture());
    EXPECT_TRUE(window->pcBericht->memUebersicht->toPlainText().contains(u"6 × 4 Pixel"));
    // The hex listing: sixteen bytes a row, the last row as long as what is left.
    EXPECT_EQ(window->hexModel->rowCount(), (png.size() + 15) / 16);
    EXPECT_EQ(window->hexModel->hexText(0).left(11), u"89 50 4E 47");
    EXPECT_EQ(window->hexModel->latinText(0).left(4), u".PNG");
    const int last = window->hexModel->rowCount() - 1;
    EXPECT_EQ(window->hexModel->latinText(last).size(), png.size() - last * 16);
}

TEST_F(BildanalyseFixture, EachViewShowsWhatItsOperationMakes)
{
    open(write("bild.png", TestPictures::png(testPicture())));
    ViewChooser &views = *window->pnlAnsicht;
    views.setView(ViewChooser::Bitebene);
    views.cboxKanal->setCurrentIndex(1);
    views.spinBit->setValue(3);
    EXPECT_EQ(window->imgBild->image(),
              ImageAnalysis::bitPlane(testPicture(), ImageAnalysis::Channel::Green, 3));
    views.setView(ViewChooser::Kanal);
    views.cboxKanal->setCurrentIndex(2);
    EXPECT_EQ(window->imgBild->image(),
              ImageAnalysis::channelImage(testPicture(), ImageAnalysis::Channel::Blue));
    views.setView(ViewChooser::Tonwerte);
    views.spinSchwarz->setValue(50);
    views.spinGamma->setValue(2.0);
    EXPECT_EQ(window->imgBild->image(), ImageAnalysis::applyLevels(testPicture(), {50, 255, 2.0}));
    views.setView(ViewChooser::Invertiert);
    EXPECT_EQ(window->imgBild->image(), ImageAnalysis::inverted(testPicture()));
    // A click on a pixel isolates its colour.
    views.setView(ViewChooser::FarbeIsolieren);
    window->imgBild->onPixelClicked(QPoint(2, 1));
    EXPECT_EQ(views.edtFarbe->text(),
              QStringLiteral("#%1")
                  .arg(testPicture().pixel(2, 1) & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                  .toUpper());
    EXPECT_EQ(views.lblAnsicht->text(), u"1 Pixel dieser Farbe");
    views.setView(ViewChooser::Original);
    EXPECT_EQ(window->imgBild->image(), testPicture());
    EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.lastText().toStdString();
}

TEST_F(BildanalyseFixture, AnUnreadableColourIsNamedInTheErrorBox)
{
    open(write("bild.png", TestPictures::png(testPicture())));
    window->pnlAnsicht->setView(ViewChooser::FarbeIsolieren);
    window->pnlAnsicht->edtFarbe->setText(QStringLiteral("#12345"));
    EXPECT_THROW(window->updateView(), QuarvelError);
    ASSERT_TRUE(app.dialogs.messages.isEmpty());
    emit window->pnlAnsicht->edtFarbe->editingFinished();
    EXPECT_TRUE(app.dialogs.lastText().contains(u"„#12345“ ist keine Farbe"))
        << app.dialogs.lastText().toStdString();
}

TEST_F(BildanalyseFixture, FramesOfAnAnimationOneByOne)
{
    const QList<QRgb> palette {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    open(write("anim.gif",
               TestPictures::gif(2, 1, palette, {{{1, 1}, 10}, {{2, 2}, 20}, {{3, 3}, 150}})));
    window->pnlAnsicht->setView(ViewChooser::Einzelbild);
    const std::tuple<int, QRgb, const char16_t *> frames[] = {
        {1, qRgb(255, 0, 0), u"Bild 1 von 3, 0,10 s"},
        {3, qRgb(0, 0, 255), u"Bild 3 von 3, 1,50 s"},
        {2, qRgb(0, 255, 0), u"Bild 2 von 3, 0,20 s"},
    };
    for (const auto &[number, colour, caption] : frames) {
        SCOPED_TRACE(number);
        window->pnlAnsicht->spinBild->setValue(number);
        EXPECT_EQ(window->imgBild->image().pixel(1, 0), colour);
        EXPECT_EQ(window->pnlAnsicht->lblAnsicht->text(), caption);
    }
    EXPECT_EQ(window->pnlAnsicht->spinBild->maximum(), 3);
}

TEST_F(BildanalyseFixture, TheDifferenceToASecondPicture)
{
    QImage changed = testPicture();
    changed.setPixel(4, 2, changed.pixel(4, 2) ^ 1);
    open(write("original.png", TestPictures::png(testPicture())));
    app.dialogs.fileAnswers.push_back(write("kopie.png", TestPictures::png(changed)));
    window->pnlAnsicht->btnZweitesBild->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->loading(); }, 20000));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->pnlAnsicht->view(), ViewChooser::Differenz);
    EXPECT_EQ(window->pnlAnsicht->lblAnsicht->text(), u"1 Pixel abweichend");
    window->pnlAnsicht->chkHervorheben->setChecked(true);
    EXPECT_EQ(window->imgBild->image().pixel(4, 2), qRgb(255, 255, 255));
    EXPECT_EQ(window->imgBild->image().pixel(0, 0), qRgb(0, 0, 0));
}

TEST_F(BildanalyseFixture, LsbExtractionReadsWithTheChosenOptions)
{
    open(write("bild.png", TestPictures::png(testPicture())));
    LsbPage &lsb = *window->tsLsb;
    lsb.edtKanaele->setText(QStringLiteral("bg"));
    lsb.spinLsbBit->setValue(1);
    lsb.cboxBitfolge->setCurrentIndex(1);
    lsb.cboxRichtung->setCurrentIndex(1);
    const ImageAnalysis::LsbOptions options = lsb.options();
    EXPECT_EQ(options.kanaele, u"BG");
    EXPECT_EQ(options.bit, 1);
    EXPECT_FALSE(options.hoechstesBitZuerst);
    EXPECT_TRUE(options.spaltenweise);
    // The window shows what the extraction gives for these options, or its refusal.
    QString expected;
    QString refusal;
    try {
        expected = ImageAnalysis::lsbText(ImageAnalysis::extractLsb(testPicture(), options));
    } catch (const QuarvelError &error) {
        refusal = error.message();
    }
    lsb.btnLsbLesen->click();
    if (refusal.isEmpty()) {
        EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.lastText().toStdString();
        EXPECT_EQ(lsb.memLsb->toPlainText(), expected);
    } else {
        EXPECT_TRUE(app.dialogs.lastText().startsWith(refusal));
    }
}

TEST_F(BildanalyseFixture, LsbWithoutPictureOrChannelIsRefused)
{
    window->tsLsb->btnLsbLesen->click();
    EXPECT_EQ(app.dialogs.lastText(), u"Öffnen Sie zuerst ein Bild.");
    open(write("bild.png", TestPictures::png(testPicture())));
    window->tsLsb->edtKanaele->clear();
    window->tsLsb->btnLsbLesen->click();
    EXPECT_TRUE(app.dialogs.lastText().startsWith(u"Geben Sie mindestens einen Kanal an"));
}

TEST_F(BildanalyseFixture, FilesThatAreNoPictureAreNamedAndStillShownInHex)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
        const char16_t *reason;
        bool hex; // the bytes are listed
    };
    const Case cases[] = {
        {"notiz.txt", QByteArray("N 52 31.250 E 013 24.713"), u"kein Bild", true},
        {"leer.png", QByteArray(), u"Die Datei ist leer", false},
        {"bombe.png", TestPictures::pngClaiming(50000, 50000), u"Megapixel", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        app.dialogs.messages.clear();
        open(write(c.name, c.bytes));
        EXPECT_TRUE(app.dialogs.lastText().contains(QString::fromUtf16(c.reason)))
            << app.dialogs.lastText().toStdString();
        if (c.hex) {
            EXPECT_EQ(window->hexModel->bytes(), c.bytes);
        }
    }
    app.dialogs.messages.clear();
    open(dir.filePath(QStringLiteral("fehlt.png")));
    EXPECT_TRUE(app.dialogs.lastText().contains(u"gibt es nicht"));
    open(dir.path());
    EXPECT_TRUE(app.dialogs.lastText().contains(u"keine gewöhnliche Datei"));
}

TEST_F(BildanalyseFixture, ADroppedFileIsOpened)
{
    const QString path = write("gezogen.png", TestPictures::png(testPicture()));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->loading(); }, 20000));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->lblDatei->text(), u"gezogen.png");
    // Something that is no local file is not taken.
    QMimeData text;
    text.setText(QStringLiteral("hallo"));
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(window.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(BildanalyseFixture, HexRowsAreCopiedUpToTheLimit)
{
    HexModel model;
    model.setBytes(QByteArray((ItemViewCopy::kMaxRows + 1) * 16, 'A'));
    QTableView view;
    view.setModel(&model);
    const std::pair<int, bool> cases[] = {{1, true},
                                          {ItemViewCopy::kMaxRows - 1, true},
                                          {ItemViewCopy::kMaxRows, true},
                                          {ItemViewCopy::kMaxRows + 1, false}};
    for (const auto &[rows, allowed] : cases) {
        SCOPED_TRACE(rows);
        view.selectionModel()->select(
            QItemSelection(model.index(0, 0), model.index(rows - 1, HexModel::TextColumn)),
            QItemSelectionModel::ClearAndSelect);
        if (!allowed) {
            EXPECT_THROW(ItemViewCopy::selectedText(view), QuarvelError);
            continue;
        }
        const QString text = ItemViewCopy::selectedText(view);
        EXPECT_EQ(text.count(u'\n'), rows - 1);
        EXPECT_TRUE(text.startsWith(QStringLiteral("00000000\t41 41 41 41 41 41 41 41  41 41 "
                                                   "41 41 41 41 41 41\tAAAAAAAAAAAAAAAA")));
    }
}

TEST(ReportTabs, ShowsEverySectionAndSavesTheAppendix)
{
    TestApp app;
    ReportTabs tabs(app.dialogs);
    ImageAnalysis::Report report;
    report.format = QStringLiteral("JPEG");
    report.metadaten.append(
        {QStringLiteral("Kommentar"), QStringLiteral("COM"), QStringLiteral("\u2400versteckt")});
    report.gps = ImageAnalysis::GpsPosition {-33.8568, 151.2153, 12.5};
    report.anhang = ImageAnalysis::Appendix {4, 3, {QStringLiteral("zip")}, QStringLiteral("PK")};
    report.codes.append({QStringLiteral("QR"), QStringLiteral("N 52 31.250")});
    const QByteArray bytes("JPEGPK\x03");
    tabs.setReport(report, bytes, QImage());
    EXPECT_EQ(tabs.tblMetadaten->item(0, 2)->text(), u"\u2400versteckt");
    EXPECT_TRUE(tabs.btnKarte->isEnabled());
    EXPECT_GT(tabs.tblGps->rowCount(), 4);
    EXPECT_EQ(tabs.tblGps->item(0, 1)->text().left(2), u"S ");
    EXPECT_EQ(tabs.lblGps->text(), u"Höhe: 12,5 m");
    EXPECT_EQ(tabs.tblCodes->item(0, 1)->text(), u"N 52 31.250");
    EXPECT_TRUE(tabs.lblAnhang->text().contains(u"Ab Offset 4 folgen 3 Bytes"));

    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("anhang.zip"));
    app.dialogs.fileAnswers.push_back(target);
    tabs.btnAnhangSpeichern->click();
    EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.lastText().toStdString();
    EXPECT_EQ(app.dialogs.fileRequests.last().fileName, u"anhang.zip");
    QFile saved(target);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("PK\x03"));
    // A target that cannot be written is named, with the system's reason.
    EXPECT_THROW(tabs.saveAppendix(dir.filePath(QStringLiteral("fehlt/anhang.zip"))), QuarvelError);
    EXPECT_THROW(tabs.saveAppendix(QStringLiteral("/dev/full")), QuarvelError);
    // An appendix outside the file is refused, never read past the end.
    report.anhang->laenge = 4;
    tabs.setReport(report, bytes, QImage());
    EXPECT_THROW(tabs.saveAppendix(dir.filePath(QStringLiteral("b.zip"))), QuarvelError);
    tabs.clear();
    EXPECT_FALSE(tabs.btnKarte->isEnabled());
    EXPECT_FALSE(tabs.btnAnhangSpeichern->isEnabled());
}
