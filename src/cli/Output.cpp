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
        write((renderText(result) + u'\n').toUtf8());
        return;
    }
    QJsonObject object;
    if (m_echoInput)
        object.insert(QStringLiteral("eingabe"), m_input);
    for (const Field &field : result.fields) {
        if (field.show != Field::Show::TextOnly)
            object.insert(field.key, field.json);
    }
    write(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

void OutputSink::reportFailure(const QString &message)
{
    if (!m_json) {
        write("\n");
        return;
    }
    QJsonObject object;
    if (m_echoInput)
        object.insert(QStringLiteral("eingabe"), m_input);
    object.insert(QStringLiteral("fehler"), displayMessage(message));
    write(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

void OutputSink::write(const QByteArray &bytes)
{
    m_buffer += bytes;
    if (m_buffer.size() >= kFlushSize)
        flush();
}

void OutputSink::flush()
{
    if (m_buffer.isEmpty())
        return;
    m_out.write(m_buffer);
    m_buffer.clear();
}

} // namespace Cli
