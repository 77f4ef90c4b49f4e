#include "logic/common/PipeWrite.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

struct Pipe
{
    Pipe()
    {
        path = dir.filePath(QStringLiteral("fifo"));
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    int openReader() const
    {
        return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    }
    QTemporaryDir dir;
    QString path;
};

} // namespace

TEST(PipeWrite, EveryWayAWriteEnds)
{
    const QByteArray big(1 << 20, 'x'); // far more than a pipe holds
    const struct
    {
        const char *what;
        bool reader;
        bool reads;
        bool cancelled;
        QString contains; // empty: success
    } cases[] = {
        {"no reader", false, false, false, QStringLiteral("konnte nicht geschrieben werden")},
        {"a reader that never reads", true, false, false,
         QStringLiteral("nimmt keine Daten mehr an")},
        {"cancelled while the reader waits", true, false, true, QStringLiteral("abgebrochen")},
        {"a reader that reads", true, true, false, QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Pipe pipe;
        const int fd = c.reader ? pipe.openReader() : -1;
        std::atomic<bool> cancel {false};
        std::atomic<bool> stop {false};
        qint64 received = 0;
        std::thread other([&] {
            char buffer[65536];
            while (!stop) {
                if (c.cancelled) {
                    QThread::msleep(150);
                    cancel = true;
                }
                const ssize_t n = c.reads ? ::read(fd, buffer, sizeof buffer) : -1;
                if (n > 0)
                    received += n;
                else
                    QThread::msleep(2);
            }
        });
        const QString result = writeToPipe(pipe.path, big, cancel, 400);
        if (c.reads)
            QThread::msleep(100);
        stop = true;
        other.join();
        if (c.contains.isEmpty()) {
            EXPECT_TRUE(result.isEmpty()) << result.toStdString();
            EXPECT_EQ(received, big.size());
        } else {
            EXPECT_TRUE(result.contains(c.contains)) << result.toStdString();
            EXPECT_TRUE(result.contains(pipe.path)) << result.toStdString();
        }
        if (fd >= 0)
            ::close(fd);
    }
}

TEST(PipeWrite, AReaderThatGoesAwayIsAnErrorNotASignal)
{
    Pipe pipe;
    const int fd = pipe.openReader();
    ASSERT_GE(fd, 0);
    std::thread closer([&] {
        QThread::msleep(100);
        ::close(fd);
    });
    const std::atomic<bool> cancel {false};
    const QString result = writeToPipe(pipe.path, QByteArray(1 << 20, 'x'), cancel, 5000);
    closer.join();
    EXPECT_TRUE(result.contains(QStringLiteral("konnte nicht geschrieben werden")))
        << result.toStdString();
}
