#pragma once

#include <QIODevice>

// Standard input as a device whose every read returns what the descriptor has at that moment.
// QFile reads a pipe one byte per system call in readLine and may wait for a full block in
// read; this device hands a typed line on at once and a piped batch in large blocks.
class StdinDevice : public QIODevice
{
public:
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }
};
