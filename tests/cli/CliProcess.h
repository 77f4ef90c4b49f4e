#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Runs the built quarvel-cli as a separate process, as a script would.
struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    QString outText() const { return QString::fromUtf8(out); }
    QStringList outLines() const;
};

QString cliProgramPath();

CliRun runCli(const QStringList &arguments, const QByteArray &input = {},
              const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
              const QString &workingDirectory = {});
