#pragma once

#include "cli/CliCommand.h"

#include <QByteArray>
#include <QIODevice>
#include <QJsonValue>
#include <QStringEncoder>

namespace Cli {

// The text form of a result: "label: value" pairs joined by " | ", or one per line.
QString renderText(const Result &result);

// Writes the results of the inputs to the output device, as text or as one JSON object per
// result. Output is gathered and written in blocks, so a batch of many short lines stays fast.
// The first write that fails (a full disk, a closed pipe) stops all output; failed() tells the
// runner, which ends with the device's reason.
class OutputSink : public ResultSink
{
public:
    // Warnings go to `err` when given.
    OutputSink(QIODevice &out, bool json, QIODevice *err = nullptr);
    ~OutputSink() override;

    bool json() const override { return m_json; }
    void report(const Result &result) override;
    bool stopped() const override { return m_failed; }
    void warn(const QString &message) override;

    // The input the next results belong to; JSON objects repeat it as "eingabe".
    void setInput(const QString &input, bool echoInput);
    // The placeholder of an input that failed, so output line n still belongs to input line n.
    void reportFailure(const QString &message);
    // Writes what is gathered; false when this or an earlier write failed.
    bool flush();
    bool failed() const { return m_failed; }
    // The system's reason for the failed write.
    QString failure() const { return m_failure; }

private:
    void write(const QByteArray &bytes);
    void append(QStringView text);
    void appendJson(QStringView text);
    void appendJson(const QJsonValue &value);
    void appendJson(const QStringList &texts);
    void appendJsonElements(const Field &field);
    void writeJson(const Result *result, const QString &failure);

    QIODevice &m_out;
    QIODevice *m_err;
    bool m_json;
    QString m_input;
    bool m_echoInput = false;
    QByteArray m_buffer;
    QStringEncoder m_encoder;
    bool m_failed = false;
    QString m_failure;
};

// Writes all of `bytes`; false (with the device's reason in `failure`) when the device takes
// less.
bool writeAll(QIODevice &device, const QByteArray &bytes, QString *failure = nullptr);

// The message as the general error box words it: a "." is appended when the last character
// sorts after ".".
QString displayMessage(const QString &message);

} // namespace Cli
