#include "cli/CliProcess.h"

#include <QProcess>

#include <gtest/gtest.h>

QStringList CliRun::outLines() const
{
    QStringList lines = outText().split(u'\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QString cliProgramPath()
{
    return QStringLiteral(QUARVEL_BIN_DIR "/quarvel-cli");
}

CliRun runCli(const QStringList &arguments, const QByteArray &input,
              const QProcessEnvironment &environment, const QString &workingDirectory)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(cliProgramPath(), arguments);
    CliRun run;
    if (!process.waitForStarted(10000)) {
        ADD_FAILURE() << "quarvel-cli did not start: " << process.errorString().toStdString();
        return run;
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        ADD_FAILURE() << "quarvel-cli did not finish";
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
