#include "logic/common/PipeWrite.h"

#include "logic/common/SafeWrite.h"

#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

namespace {

constexpr int kSliceMs = 100;

// Closes the descriptor however the write ends.
struct Descriptor
{
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// A reader that goes away would end the whole program with SIGPIPE; while this lives, the
// calling thread gets EPIPE instead, and a signal left pending is taken before it unblocks.
class NoPipeSignal
{
public:
    NoPipeSignal()
    {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_before);
    }
    ~NoPipeSignal()
    {
        const timespec now {0, 0};
        while (sigtimedwait(&m_pipe, nullptr, &now) > 0) { }
        pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
    }
    NoPipeSignal(const NoPipeSignal &) = delete;
    NoPipeSignal &operator=(const NoPipeSignal &) = delete;

private:
    sigset_t m_pipe;
    sigset_t m_before;
};

} // namespace

QString pipeWriteCancelledText(const QString &path)
{
    return QStringLiteral("Das Schreiben von %1 wurde abgebrochen").arg(path);
}

QString writeToPipe(const QString &path, const QByteArray &data, const std::atomic<bool> &cancel,
                    int stallMs)
{
    const NoPipeSignal noSignal;
    Descriptor d;
    // Without O_NONBLOCK, opening a FIFO nobody reads would wait for a reader.
    d.fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (d.fd < 0)
        return cannotWriteFileText(path, qt_error_string(errno));
    qsizetype written = 0;
    QDeadlineTimer stalled(stallMs);
    while (written < data.size()) {
        if (cancel.load())
            return pipeWriteCancelledText(path);
        const ssize_t n = ::write(d.fd, data.constData() + written, size_t(data.size() - written));
        if (n > 0) {
            written += n;
            stalled.setRemainingTime(stallMs);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return cannotWriteFileText(path, qt_error_string(errno));
        if (stalled.hasExpired())
            return cannotWriteFileText(path,
                                       QStringLiteral("Der Empfänger nimmt keine Daten mehr an."));
        pollfd waiting {d.fd, POLLOUT, 0};
        ::poll(&waiting, 1, kSliceMs);
    }
    return {};
}
