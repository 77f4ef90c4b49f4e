#include "support/core/ProcessLocale.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

// The symbol tables draw with fonts, which needs a QGuiApplication (offscreen, no display).
int main(int argc, char **argv)
{
    TestLocales::useBuildLocales();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
