#include "cli/Output.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace Cli {
namespace {

constexpr qsizetype kFlushSize = 64 * 1024;

} // namespace

QString renderText(const Result &result)
{
    QString text;
    const QString separator = result.linePerField ? QStringLiteral("\n") : QStringLiteral(" | ");
    bool first = true;
    for (const Field &field : result.fields) {
        if (field.show == Field::Show::JsonOnly)
            continue;
        if (!first)
            text += separator;
        first = false;
        if (!field.label.isEmpty())
            text += field.label + QStringLiteral(": ");
        text += field.text;
    }
    return text;
}

QString displayMessage(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

OutputSink::OutputSink(QIODevice &out, bool json)
    : m_out(out)
    , m_json(json)
    , m_encoder(QStringEncoder::Utf8)
{
}

OutputSink::~OutputSink()
{
    flush();
}

void OutputSink::setInput(const QString &input, bool echoInput)
{
    m_input = input;
    m_echoInput = echoInput;
}

void OutputSink::report(const Result &result)
{
    if (!m_json) {
        // Appended piece by piece: one UTF-8 conversion per field and no joined copy.
        const char *separator = result.linePerField ? "\n" : " | ";
        bool first = true;
        for (const Field &field : result.fields) {
            if (field.show == Field::Show::JsonOnly)
                continue;
            if (!first)
                m_buffer += separator;
            first = false;
            if (!field.label.isEmpty()) {
                append(field.label);
                m_buffer += ": ";
            }
            append(field.text);
        }
        write("\n");
        return;
    }
    writeJson(&result, {});
}

void OutputSink::reportFailure(const QString &message)
{
    if (!m_json) {
        write("\n");
        return;
    }
    writeJson(nullptr, message);
}

void OutputSink::writeJson(const Result *result, const QString &failure)
{
    QJsonObject object;
    if (m_echoInput)
        object.insert(QStringLiteral("eingabe"), m_input);
    if (result) {
        for (const Field &field : result->fields) {
            if (field.show == Field::Show::TextOnly)
                continue;
            object.insert(field.key,
                          field.json.isUndefined() ? QJsonValue(field.text) : field.json);
        }
    } else {
        object.insert(QStringLiteral("fehler"), displayMessage(failure));
    }
    write(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

void OutputSink::append(QStringView text)
{
    // Encoded straight into the buffer: no UTF-8 copy of each field.
    const qsizetype size = m_buffer.size();
    m_buffer.resize(size + m_encoder.requiredSpace(text.size()));
    char *end = m_encoder.appendToBuffer(m_buffer.data() + size, text);
    m_buffer.truncate(end - m_buffer.constData());
}

void OutputSink::write(const QByteArray &bytes)
{
    m_buffer += bytes;
    if (m_buffer.size() >= kFlushSize)
        flush();
}

bool OutputSink::flush()
{
    if (m_failed) {
        m_buffer.clear();
        return false;
    }
    if (!m_buffer.isEmpty() && !writeAll(m_out, m_buffer, &m_failure))
        m_failed = true;
    m_buffer.clear();
    return !m_failed;
}

bool writeAll(QIODevice &device, const QByteArray &bytes, QString *failure)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = device.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            if (failure)
                *failure = device.errorString();
            return false;
        }
        done += written;
    }
    return true;
}

} // namespace Cli
