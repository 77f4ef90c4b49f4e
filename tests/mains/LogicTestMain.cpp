#include "support/core/ChildProcess.h"
#include "support/core/ProcessLocale.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (const int exitCode = ChildProcess::playRoleIfAsked(argc, argv); exitCode >= 0)
        return exitCode;
    TestLocales::useBuildLocales();
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
