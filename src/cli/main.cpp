// quarvel-cli: Quarvel's tools for scripts. Hands the raw arguments and the standard streams to
// the runner, which does everything else. Only the symbol tables draw with fonts: for them a
// QGuiApplication on the offscreen platform is made, so the program never needs a display.
#include "cli/Runner.h"
#include "cli/StdinDevice.h"
#include "logic/common/SystemMessages.h"

#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <memory>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

void writeMessage(const char *text, const char *reason)
{
    const QByteArray message = QByteArray("quarvel-cli: ") + text + reason + ".\n";
    [[maybe_unused]] const ssize_t written =
        ::write(STDERR_FILENO, message.constData(), std::size_t(message.size()));
}

// Qt's own notes (a missing runtime folder of the offscreen platform) are no message of ours.
void dropQtNotes(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg || type == QtCriticalMsg)
        writeMessage("", message.toUtf8().constData());
}

// The subcommand is the first argument that is no option.
bool drawsSymbols(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-')
            continue;
        return std::strcmp(argv[i], "symbole") == 0 || std::strcmp(argv[i], "symbols") == 0;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    // A reader that went away is reported as a failed write (EPIPE) with a message and a
    // non-zero exit code, instead of the signal ending the program in silence.
    std::signal(SIGPIPE, SIG_IGN);
    if (::fcntl(STDOUT_FILENO, F_GETFD) < 0) {
        writeMessage("Die Ausgabe konnte nicht geschrieben werden: ",
                     "Die Standardausgabe ist geschlossen");
        return Cli::kOutputFailed;
    }
    // Qt's picture decoders write English notes on damaged data to the error output; the
    // picture report names in German what could not be read.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
    int guiArgc = 3;
    char programName[] = "quarvel-cli", platformOption[] = "-platform", platform[] = "offscreen";
    char *guiArgv[] = {programName, platformOption, platform, nullptr};
    std::unique_ptr<QGuiApplication> gui;
    if (drawsSymbols(argc, argv)) {
        qInstallMessageHandler(dropQtNotes);
        gui = std::make_unique<QGuiApplication>(guiArgc, guiArgv);
    }
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    // The runner gathers its output in blocks itself; unbuffered descriptors keep results and
    // messages in the order they were written.
    StdinDevice in;
    QFile out, err;
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ||
        !out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Cli::kInvalidInput;
    const int code = Cli::run(arguments, in, out, err);
    // Some file systems report a failed write only when the file is closed.
    if (::close(STDOUT_FILENO) != 0 && errno != EINTR && code != Cli::kOutputFailed) {
        const QString reason =
            SystemMessages::germanReason(QString::fromLocal8Bit(std::strerror(errno)));
        writeMessage("Die Ausgabe konnte nicht geschrieben werden: ", reason.toUtf8().constData());
        return Cli::kOutputFailed;
    }
    return code;
}
