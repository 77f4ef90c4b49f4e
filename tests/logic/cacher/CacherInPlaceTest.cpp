// Overwriting the record file in place, where its folder takes no new file: a full disk or a
// failing write must leave the old file, never a mix of old and new.
#include "logic/cacher/CacherBook.h"
#include "logic/cacher/CacherFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>

namespace {

CacherBook bookOf(int count, const QString &prefix)
{
    std::vector<TPerson> personen(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        personen[size_t(i)].setField(TPerson::Cachername, prefix + QString::number(i));
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

// A disk with room for `capacity` bytes of this file: blocks already there can be written
// again, growth beyond the capacity fails part-way with the system's reason.
class FullDisk : public QBuffer
{
public:
    FullDisk(const QByteArray &content, qint64 capacity)
        : m_capacity(capacity)
    {
        setData(content);
        open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    }

    bool resize(qint64 size)
    {
        if (size > m_capacity)
            return false;
        buffer().resize(size);
        return true;
    }

protected:
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 room = m_capacity - pos();
        if (room >= size)
            return QBuffer::writeData(data, size);
        setErrorString(QStringLiteral("Auf dem Gerät ist kein Speicherplatz mehr verfügbar"));
        return room <= 0 ? -1 : QBuffer::writeData(data, room);
    }

private:
    qint64 m_capacity;
};

// A small file system of its own, full where the test wants it; mounting needs root.
class SmallFileSystem
{
public:
    explicit SmallFileSystem(const QString &folder, const char *options)
        : m_folder(folder)
    {
        m_mounted = mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options) == 0;
    }
    ~SmallFileSystem()
    {
        if (m_mounted)
            umount(QFile::encodeName(m_folder).constData());
    }
    bool mounted() const { return m_mounted; }

private:
    QString m_folder;
    bool m_mounted = false;
};

} // namespace

TEST(CacherInPlace, AFailingWriteLeavesTheOldContents)
{
    const QByteArray old = recordBytes(bookOf(3, QStringLiteral("alt ")));
    const struct
    {
        const char *what;
        int newCount;
        qint64 capacity;
        bool ok;
    } cases[] = {
        {"grows, disk full in the second record", 6, 2 + 4 * 886 + 100, false},
        {"grows, disk full one byte short", 6, 2 + 6 * 886 - 1, false},
        {"grows, exactly room", 6, 2 + 6 * 886, true},
        {"shrinks on a full disk", 1, old.size(), true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        FullDisk disk(old, c.capacity);
        const CacherBook book = bookOf(c.newCount, QStringLiteral("neu "));
        QString reason;
        bool restored = false;
        const CacherFileResult result = OverwriteCacherDevice(
            disk, book, old, [&disk](qint64 size) { return disk.resize(size); }, reason, &restored);
        if (c.ok) {
            EXPECT_EQ(result, CacherFileResult::Ok);
            EXPECT_EQ(disk.data(), recordBytes(book));
        } else {
            EXPECT_EQ(result, CacherFileResult::WriteError);
            EXPECT_EQ(disk.data(), old);
            EXPECT_TRUE(restored);
            EXPECT_TRUE(reason.contains(QStringLiteral("kein Speicherplatz")))
                << reason.toStdString();
        }
    }
}

// A disk that takes nothing any more: the old contents cannot be written back either, and the
// message says so.
TEST(CacherInPlace, AnOldFileThatCannotBeRestoredIsReported)
{
    const QByteArray old = recordBytes(bookOf(2, QStringLiteral("alt ")));
    FullDisk disk(old, 0);
    QString reason;
    bool restored = true;
    EXPECT_EQ(OverwriteCacherDevice(
                  disk, bookOf(1, QStringLiteral("neu ")), old,
                  [&disk](qint64 size) { return disk.resize(size); }, reason, &restored),
              CacherFileResult::WriteError);
    EXPECT_FALSE(restored);
    EXPECT_TRUE(reason.contains(QStringLiteral("nicht zurückgeschrieben"))) << reason.toStdString();
}

// A file system with no inode left takes no temporary file: the record file is written in
// place; growth the disk has no room for is refused before a byte is written.
TEST(CacherInPlace, AFullFileSystemKeepsTheOldFileAndSaysWhy)
{
    QTemporaryDir dir;
    QTemporaryDir backups;
    const QString mountPoint = dir.filePath(QStringLiteral("klein"));
    ASSERT_TRUE(QDir().mkpath(mountPoint));
    // The folder, the record file and a file that fills the rest.
    SmallFileSystem small(mountPoint, "size=64k,nr_inodes=3");
    if (!small.mounted())
        GTEST_SKIP() << "no small file system can be mounted here";
    const QString path = mountPoint + QStringLiteral("/Cacher.dat");
    const QByteArray old = recordBytes(bookOf(3, QStringLiteral("alt ")));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(old), old.size());
        ASSERT_TRUE(file.flush());
        QFile filler(mountPoint + QStringLiteral("/voll"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) > 0) { }
    }
    const auto contents = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    };
    QString reason;
    EXPECT_EQ(WriteCacherFile(path, bookOf(40, QStringLiteral("neu ")), reason, backups.path()),
              CacherFileResult::WriteError);
    EXPECT_TRUE(reason.startsWith(QStringLiteral("Kein freier Speicherplatz")))
        << reason.toStdString();
    EXPECT_EQ(contents(), old);

    const CacherBook fewer = bookOf(1, QStringLiteral("neu "));
    ASSERT_EQ(WriteCacherFile(path, fewer, reason, backups.path()), CacherFileResult::Ok)
        << reason.toStdString();
    EXPECT_EQ(contents(), recordBytes(fewer));
    EXPECT_TRUE(QDir(backups.path()).entryList(QDir::Files).isEmpty());
}
