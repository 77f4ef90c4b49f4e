// Saving the record file over an existing one: the book's records and nothing after them,
// produced through a temporary file (or, where the folder takes no new file, in place with the
// old contents kept until the new ones are complete), so a failure never leaves a mix.
#include "logic/cacher/CacherBook.h"
#include "logic/cacher/CacherFile.h"
#include "support/core/ChildProcess.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

CacherBook bookOf(int count, const QString &prefix)
{
    std::vector<TPerson> personen(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        personen[size_t(i)].setField(TPerson::Cachername, prefix + QString::number(i));
        personen[size_t(i)].setField(TPerson::Profil, QString(200, QChar(u'a' + i % 26)));
    }
    CacherBook book;
    book.replacePersonen(std::move(personen));
    return book;
}

QByteArray recordBytes(const CacherBook &book)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(WriteCacherFile(buffer, book), CacherFileResult::Ok);
    return buffer.data();
}

void writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// What a process has written so far, as the kernel counts it. The temporary copy itself may
// have no name until it is complete (O_TMPFILE), so its size cannot be watched.
qint64 bytesWrittenBy(pid_t process)
{
    QFile io(QStringLiteral("/proc/%1/io").arg(process));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("wchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

} // namespace

TEST(CacherFileSafety, SaveWritesTheRecordsAndNothingAfterThem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("buch.dat"));
    const struct
    {
        const char *what;
        int oldCount;
        int newCount;
    } cases[] = {
        {"3 over 5", 5, 3},
        {"5 over 3", 3, 5},
        {"same size", 4, 4},
        {"1 over 1", 1, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray old = recordBytes(bookOf(c.oldCount, QStringLiteral("alt ")));
        writeRaw(path, old);
        const CacherBook book = bookOf(c.newCount, QStringLiteral("neu "));
        QString reason;
        ASSERT_EQ(WriteCacherFile(path, book, reason), CacherFileResult::Ok);
        EXPECT_EQ(contentsOf(path), recordBytes(book));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"buch.dat"}));
    }
}

TEST(CacherFileSafety, KeepsThePermissionsOfTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("buch.dat"));
    writeRaw(path, recordBytes(bookOf(2, QStringLiteral("alt "))));
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
    const QFileDevice::Permissions before = QFile::permissions(path);
    ASSERT_EQ(WriteCacherFile(path, bookOf(1, QStringLiteral("neu "))), CacherFileResult::Ok);
    EXPECT_EQ(QFile::permissions(path), before);
}

// A device fails only when the buffer is flushed, as a disk with a few KiB left does; it is not
// a plain file, so it is written in place and never replaced.
TEST(CacherFileSafety, WriteErrorAtTheFlushIsReported)
{
    const QString full = QStringLiteral("/dev/full");
    ASSERT_TRUE(QFileInfo(full).exists());
    QString reason;
    EXPECT_EQ(WriteCacherFile(full, bookOf(1, QStringLiteral("x")), reason),
              CacherFileResult::WriteError);
    EXPECT_FALSE(reason.isEmpty());
    struct stat status
    {
    };
    ASSERT_EQ(stat("/dev/full", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
}

TEST(CacherFileSafety, ReadOnlyFileIsNotWritten)
{
    // Root may write every file: the test runs again as an unprivileged user.
    if (ChildProcess::rerunUnprivileged())
        return;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("buch.dat"));
    const QByteArray old = recordBytes(bookOf(2, QStringLiteral("alt ")));
    writeRaw(path, old);
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    QString reason;
    EXPECT_EQ(WriteCacherFile(path, bookOf(1, QStringLiteral("neu ")), reason),
              CacherFileResult::OpenFailed);
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(contentsOf(path), old);
}

// A folder that takes no new file but holds a writable file: the file is written in place, and
// shorter where the book is; the backup of the old contents goes once the save is complete.
// Root may create files in every folder, so the test runs again as an unprivileged user.
TEST(CacherFileSafety, ReadOnlyFolderWithAWritableFileStillSaves)
{
    if (ChildProcess::rerunUnprivileged())
        return;
    QTemporaryDir dir;
    QTemporaryDir backups;
    const QString path = dir.filePath(QStringLiteral("buch.dat"));
    const QByteArray old = recordBytes(bookOf(3, QStringLiteral("alt ")));
    writeRaw(path, old);
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const CacherBook book = bookOf(2, QStringLiteral("neu "));
    QString reason;
    const CacherFileResult result = WriteCacherFile(path, book, reason, backups.path());
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(result, CacherFileResult::Ok) << reason.toStdString();
    EXPECT_EQ(contentsOf(path), recordBytes(book));
    EXPECT_TRUE(QDir(backups.path()).entryList(QDir::Files).isEmpty());
}

// A child process saves a large book over a smaller one and is killed at several points of
// the save; the file then holds the old or the new contents, never a mix or a shortened file.
TEST(CacherFileSafety, KilledSaveLeavesTheOldOrTheNewFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("buch.dat"));
    const QByteArray old = recordBytes(bookOf(700, QStringLiteral("alt ")));
    const CacherBook book = bookOf(CacherBook::MaxPersonen, QStringLiteral("neu "));
    const QByteArray fresh = recordBytes(book);
    int killedMidway = 0;
    for (const qint64 killAt : {qint64(1) << 20, qint64(8) << 20, qint64(30) << 20}) {
        SCOPED_TRACE(killAt);
        writeRaw(path, old);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool ok = WriteCacherFile(path, book) == CacherFileResult::Ok;
            _exit(ok ? 0 : 1);
        }
        // Wait until the writer has written `killAt` bytes, then kill it.
        bool saw = false;
        for (int i = 0; i < 20000 && !saw; ++i) {
            saw = bytesWrittenBy(child) >= killAt;
            if (waitpid(child, nullptr, WNOHANG) == child)
                break;
            usleep(200);
        }
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        if (saw && WIFSIGNALED(status))
            ++killedMidway;
        const QByteArray now = contentsOf(path);
        EXPECT_TRUE(now == old || now == fresh) << "size " << now.size();
        for (const QString &left : QDir(dir.path()).entryList(QDir::Files)) {
            if (left != QStringLiteral("buch.dat"))
                QFile::remove(dir.filePath(left));
        }
    }
    EXPECT_GT(killedMidway, 0) << "no save was killed part-way";
}
