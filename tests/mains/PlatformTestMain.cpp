#include "support/core/ChildProcess.h"
#include "support/core/ProcessLocale.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (const int exitCode = ChildProcess::playRoleIfAsked(argc, argv); exitCode >= 0)
        return exitCode;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestLocales::useBuildLocales();
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
