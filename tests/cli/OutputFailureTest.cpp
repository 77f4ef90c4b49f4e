// quarvel-cli as a process whose output cannot be written: a full device, a pipe whose reader
// is gone, a closed stdout. Each ends with exit code 3 and the reason on stderr, never with 0.
#include "cli/CliProcess.h"
#include "cli/Runner.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

enum class Target { DevFull, PipeWithoutReader, Closed };

struct Ended
{
    int exitCode = -1; // -1: ended by a signal
    QByteArray err;
};

// Starts quarvel-cli with stdin from `inputPath`, stdout as `target` and stderr into a file.
Ended runWithOutput(Target target, const QList<QByteArray> &arguments, const QString &inputPath,
                    const QString &errPath)
{
    int pipeEnds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, QFile::encodeName(inputPath).constData(),
                                     O_RDONLY, 0);
    const QByteArray errName = QFile::encodeName(errPath);
    posix_spawn_file_actions_addopen(&actions, 2, errName.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    if (target == Target::DevFull) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0);
    } else if (target == Target::PipeWithoutReader) {
        EXPECT_EQ(::pipe(pipeEnds), 0);
        ::close(pipeEnds[0]);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    } else {
        posix_spawn_file_actions_addclose(&actions, 1);
    }
    const QByteArray program = QFile::encodeName(cliProgramPath());
    std::vector<char *> argv {const_cast<char *>(program.constData())};
    for (const QByteArray &argument : arguments)
        argv.push_back(const_cast<char *>(argument.constData()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (pipeEnds[1] >= 0)
        ::close(pipeEnds[1]);
    Ended ended;
    if (spawned != 0) {
        ADD_FAILURE() << "quarvel-cli did not start";
        return ended;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status))
        ended.exitCode = WEXITSTATUS(status);
    QFile errFile(errPath);
    if (errFile.open(QIODevice::ReadOnly))
        ended.err = errFile.readAll();
    return ended;
}

} // namespace

TEST(CliOutputFailure, EveryWriteIsCheckedAndReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // More than one block of output, so writes fail both inside the batch and at the end.
    QByteArray lines;
    for (int i = 0; i < 20000; ++i)
        lines += "Geocache " + QByteArray::number(i) + "\n";
    // An empty grid has more solutions than anyone can wait for: the search must end when its
    // output fails.
    const QByteArray emptyGrid(81, '.');
    const struct
    {
        const char *name;
        Target target;
        QList<QByteArray> arguments;
        QByteArray input;
        const char *reason;
    } cases[] = {
        {"/dev/full, batch",
         Target::DevFull,
         {"wortwert"},
         lines,
         "Auf dem Gerät ist kein Speicherplatz mehr verfügbar"},
        {"/dev/full, one result",
         Target::DevFull,
         {"rot", "abc"},
         {},
         "Auf dem Gerät ist kein Speicherplatz mehr verfügbar"},
        {"/dev/full, help",
         Target::DevFull,
         {"--help"},
         {},
         "Auf dem Gerät ist kein Speicherplatz mehr verfügbar"},
        {"closed pipe, batch",
         Target::PipeWithoutReader,
         {"wortwert"},
         lines,
         "Datenübergabe unterbrochen"},
        {"closed pipe, Sudoku",
         Target::PipeWithoutReader,
         {"sudoku", "-"},
         emptyGrid,
         "Datenübergabe unterbrochen"},
        // Ten million combinations would take minutes here; the search ends with its output.
        {"closed pipe, formula",
         Target::PipeWithoutReader,
         {"formel", "--alle", "--werte", "A=0-9999;B=0-999", "N 5A.B E 13"},
         {},
         "Datenübergabe unterbrochen"},
        {"closed stdout",
         Target::Closed,
         {"rot", "abc"},
         {},
         "Die Standardausgabe ist geschlossen"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString inputPath = dir.filePath(QStringLiteral("input.txt"));
        QFile input(inputPath);
        ASSERT_TRUE(input.open(QIODevice::WriteOnly | QIODevice::Truncate));
        input.write(c.input);
        input.close();
        const Ended ended =
            runWithOutput(c.target, c.arguments, inputPath, dir.filePath(QStringLiteral("err")));
        EXPECT_EQ(ended.exitCode, Cli::kOutputFailed);
        EXPECT_TRUE(ended.err.startsWith("quarvel-cli: Die Ausgabe konnte nicht geschrieben "
                                         "werden: "))
            << ended.err.toStdString();
        EXPECT_TRUE(ended.err.contains(c.reason)) << ended.err.toStdString();
    }
}
