#include "logic/common/SafeWrite.h"
#include "support/core/ChildProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(SafeWrite, ReplacesTheFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    writeRaw(path, "old contents that are longer");
    const QString error = writeFileSafely(path, [](QIODevice &d) { return d.write("new") == 3; });
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(contentsOf(path), QByteArray("new"));
}

TEST(SafeWrite, AFailingWriterKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    writeRaw(path, "old");
    const QString error = writeFileSafely(path, [](QIODevice &d) {
        d.write("partial");
        return false;
    });
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_EQ(contentsOf(path), QByteArray("old"));
}

TEST(SafeWrite, AFolderThatCannotBeWrittenNamesFileAndReason)
{
    const QString path = QStringLiteral("/proc/quarvel-no-such-folder/a.txt");
    const QString error = writeFileSafely(path, [](QIODevice &d) { return d.write("x") == 1; });
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("konnte nicht geschrieben werden")));
}

// A full disk shows only when the buffer is flushed: /dev/full accepts every buffered write
// and fails at the flush, as a disk with a few KiB left does.
TEST(SafeWrite, AWriteErrorAtTheFlushIsReported)
{
    QFile full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly));
    ASSERT_EQ(full.write(QByteArray(100, 'x')), 100); // buffered, not yet refused
    QString reason;
    EXPECT_FALSE(finishWrite(full, reason));
    EXPECT_FALSE(reason.isEmpty());
}

namespace {

struct FileKind
{
    bool fifo;
    bool characterDevice;
};

FileKind kindOf(const QString &path)
{
    struct stat status
    {
    };
    if (lstat(QFile::encodeName(path).constData(), &status) != 0)
        return {false, false};
    return {S_ISFIFO(status.st_mode), S_ISCHR(status.st_mode)};
}

// A file whose close fails as a network file system's can: the handle is gone when it closes.
class FailingCloseFile : public QFile
{
public:
    using QFile::QFile;
    void close() override
    {
        if (isOpen()) {
            flush();
            ::close(handle());
        }
        QFile::close();
    }
};

} // namespace

// A FIFO or a device the user chose stays what it is; what it refuses is reported. We run
// the tests as root, so the test makes its own device nodes.
TEST(SafeWrite, FifosAndDevicesAreWrittenDirectlyAndNeverReplaced)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    struct Case
    {
        const char *what;
        QString path;
        dev_t device; // 0: a FIFO
        bool reader; // a process reads the FIFO
        bool fails;
    };
    const Case cases[] = {
        {"FIFO with a reader", fifo, 0, true, false},
        {"FIFO without a reader", fifo, 0, false, true},
        {"device like /dev/full", dir.filePath(QStringLiteral("voll")), makedev(1, 7), false, true},
        {"device like /dev/null", dir.filePath(QStringLiteral("leer")), makedev(1, 3), false,
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.device != 0 && !QFileInfo::exists(c.path) &&
            mknod(QFile::encodeName(c.path).constData(), S_IFCHR | 0600, c.device) != 0)
            GTEST_SKIP() << "cannot make a device node here";
        // The test itself reads the FIFO: its end is open before the write, without waiting.
        const int reader =
            c.reader ? ::open(QFile::encodeName(c.path).constData(), O_RDONLY | O_NONBLOCK) : -1;
        ASSERT_EQ(reader >= 0, c.reader);
        const QString error =
            writeFileSafely(c.path, [](QIODevice &d) { return d.write("Inhalt\n") == 7; });
        if (c.fails) {
            EXPECT_TRUE(error.contains(c.path)) << error.toStdString();
            EXPECT_FALSE(error.endsWith(QStringLiteral(": "))) << error.toStdString();
            EXPECT_FALSE(error.contains(QStringLiteral("Unknown error"))) << error.toStdString();
        } else {
            EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        }
        if (c.reader) {
            char got[16] = {};
            EXPECT_EQ(::read(reader, got, sizeof got), 7);
            EXPECT_EQ(QByteArray(got), QByteArray("Inhalt\n"));
            ::close(reader);
        }
        EXPECT_EQ(kindOf(c.path).fifo, c.device == 0);
        EXPECT_EQ(kindOf(c.path).characterDevice, c.device != 0);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 0);
    }
}

// A folder that takes no new name when the temporary file is to replace the old one; root may
// write everywhere, so the test runs again as an unprivileged user.
TEST(SafeWrite, AFailingCommitIsReportedAndKeepsTheOldFile)
{
    if (ChildProcess::rerunUnprivileged())
        return;
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("ordner"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/a.txt");
    writeRaw(path, "old");
    const QString error = writeFileSafely(path, [&](QIODevice &d) {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        return d.write("new") == 3;
    });
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(error.startsWith(cannotWriteFileText(path, QString()))) << error.toStdString();
    EXPECT_GT(error.size(), cannotWriteFileText(path, QString()).size());
    EXPECT_EQ(contentsOf(path), QByteArray("old"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"a.txt"}));
}

TEST(SafeWrite, AFailingCloseIsReported)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    const QString error = writeFileSafely(
        path, [](QIODevice &d) { return d.write("new") == 3; },
        [](const QString &target) { return std::make_unique<FailingCloseFile>(target); });
    EXPECT_TRUE(error.startsWith(cannotWriteFileText(path, QString()))) << error.toStdString();
    EXPECT_GT(error.size(), cannotWriteFileText(path, QString()).size());
}
