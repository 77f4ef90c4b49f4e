#pragma once

#include <QByteArray>
#include <QIODevice>

// A device in memory that fails once `limit` bytes have gone through it: a write beyond the
// limit keeps what fits and then reports an error, as a full disk does; a read beyond it
// delivers what lies before the limit and then reports an error. Random access, so a reader
// can tell the failure from the end of the data. Open it Unbuffered, so every byte the caller
// reads or writes reaches it at once.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 limit, QByteArray content = {});

    const QByteArray &content() const { return m_content; }

    // Sequential, the device behaves like a pipe: no size, no seeking.
    void setSequential(bool sequential) { m_sequential = sequential; }
    bool isSequential() const override { return m_sequential; }
    qint64 size() const override { return m_content.size(); }
    bool seek(qint64 position) override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    qint64 m_limit;
    bool m_sequential = false;
    qint64 m_passed = 0;
    qint64 m_position = 0; // where readData and writeData work, apart from QIODevice's buffer
    QByteArray m_content;
};
