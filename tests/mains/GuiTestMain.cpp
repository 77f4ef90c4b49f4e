#include "support/core/ProcessLocale.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Windows are tried on the screen our users have: 1366 x 768 at 96 dpi. A run that names
    // its own offscreen screen (the layout runs at 120 dpi and 1280 x 720) keeps it.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM",
                "offscreen:configfile=" QUARVEL_TEST_DATA_DIR "/screens/laptop-96dpi.json");
    TestLocales::useBuildLocales();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
