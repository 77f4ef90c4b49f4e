#include "logic/common/SafeWrite.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
