// The Bildanalyse window as a user sees it, for looking at by eye (see ScreenshotTest.cpp for
// how to run it under Xvfb): a picture whose red low bit carries a message, shown as that bit
// plane, with the report beside it.

#include "fakes/TestApp.h"
#include "gui/image/Bildanalyse_Unit.h"
#include "gui/image/PictureView.h"
#include "gui/image/TestPictures.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A sky-to-meadow gradient whose red channel's lowest bit spells a position.
QImage pictureWithMessage()
{
    QImage picture(480, 320, QImage::Format_ARGB32);
    QPainter paint(&picture);
    QLinearGradient sky(0, 0, 0, 320);
    sky.setColorAt(0, QColor(90, 150, 230));
    sky.setColorAt(0.6, QColor(200, 220, 240));
    sky.setColorAt(0.61, QColor(70, 150, 60));
    sky.setColorAt(1, QColor(40, 100, 30));
    paint.fillRect(picture.rect(), sky);
    paint.end();
    QImage message(picture.size(), QImage::Format_Grayscale8);
    message.fill(0);
    QPainter text(&message);
    text.setPen(Qt::white);
    text.setFont(QFont(QStringLiteral("DejaVu Sans"), 26, QFont::Bold));
    text.drawText(message.rect(), Qt::AlignCenter, QStringLiteral("N 52° 31,250\nE 013° 24,713"));
    text.end();
    for (int y = 0; y < picture.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(picture.scanLine(y));
        const uchar *ink = message.constScanLine(y);
        for (int x = 0; x < picture.width(); ++x) {
            const quint32 bit = ink[x] > 127 ? 1u : 0u;
            line[x] = (line[x] & ~0x10000u) | (bit << 16);
        }
    }
    return picture;
}

} // namespace

TEST(Screenshot, DISABLED_BildanalyseBitPlane)
{
    TestApp app;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("raetselbild.png"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(TestPictures::png(pictureWithMessage()));
    file.close();
    TfrmBildanalyse window(app.context);
    window.show();
    window.openFile(path);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.loading(); }, 20000));
    QCoreApplication::processEvents();
    window.pnlAnsicht->setView(ViewChooser::Bitebene);
    window.pnlAnsicht->spinBit->setValue(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(300);
    const QString shots = qEnvironmentVariable("QUARVEL_SHOTS", QDir::tempPath());
    QDir().mkpath(shots);
    EXPECT_TRUE(window.screen()->grabWindow(0).save(shots + QStringLiteral("/bildanalyse.png")));
    window.pnlAnsicht->setView(ViewChooser::Tonwerte);
    window.pcSeiten->setCurrentIndex(2); // the hex listing
    window.pnlAnsicht->spinSchwarz->setValue(120);
    window.pnlAnsicht->spinGamma->setValue(1.8);
    QTest::qWait(200);
    EXPECT_TRUE(
        window.screen()->grabWindow(0).save(shots + QStringLiteral("/bildanalyse-tonwerte.png")));
}
