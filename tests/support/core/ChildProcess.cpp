#include "support/core/ChildProcess.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <cstdio>
#include <grp.h>
#include <unistd.h>

namespace {

constexpr char kHoldLock[] = "QUARVEL_TEST_HOLD_LOCK";
constexpr char kRunAsUid[] = "QUARVEL_TEST_RUN_AS_UID";
constexpr uid_t kNobody = 65534;
constexpr char kHolding[] = "holding";

int holdLock(int argc, char **argv, const QString &lockPath)
{
    // The lock names this program; without an application name another process would take
    // it for stale.
    QCoreApplication app(argc, argv);
    QLockFile lock(lockPath);
    if (!lock.tryLock(0))
        return 2;
    std::fputs(kHolding, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    while (std::fgetc(stdin) != EOF) { } // until the parent closes the pipe
    return 0;
}

bool dropPrivileges(uid_t uid)
{
    return setgroups(0, nullptr) == 0 && setgid(gid_t(uid)) == 0 && setuid(uid) == 0;
}

} // namespace

namespace ChildProcess {

int playRoleIfAsked(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(kHoldLock))
        return holdLock(argc, argv, qEnvironmentVariable(kHoldLock));
    if (qEnvironmentVariableIsSet(kRunAsUid)) {
        const uid_t uid = uid_t(qEnvironmentVariableIntValue(kRunAsUid));
        qunsetenv(kRunAsUid); // processes this one starts stay as they are
        if (!dropPrivileges(uid)) {
            std::perror("dropping privileges");
            return 3;
        }
    }
    return -1;
}

bool rerunUnprivileged()
{
    if (geteuid() != 0)
        return false;
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kRunAsUid), QString::number(kNobody));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("--gtest_filter=%1.%2")
             .arg(QString::fromUtf8(test->test_suite_name()), QString::fromUtf8(test->name()))});
    const bool finished = child.waitForFinished(120000);
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_TRUE(finished) << output.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
    return true;
}

LockHolder::LockHolder(const QString &lockPath)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kHoldLock), lockPath);
    m_process.setProcessEnvironment(environment);
    m_process.start(QCoreApplication::applicationFilePath(), {});
    while (m_process.waitForReadyRead(30000)) {
        m_output += QString::fromLocal8Bit(m_process.readAll());
        if (m_output.contains(QLatin1String(kHolding))) {
            m_holding = true;
            return;
        }
    }
}

LockHolder::~LockHolder()
{
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(10000))
        m_process.kill();
    m_process.waitForFinished();
}

} // namespace ChildProcess
