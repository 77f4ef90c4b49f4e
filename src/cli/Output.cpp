#include "cli/Output.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>

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

OutputSink::OutputSink(QIODevice &out, bool json, QIODevice *err)
    : m_out(out)
    , m_err(err)
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

void OutputSink::warn(const QString &message)
{
    if (!m_err)
        return;
    // The results so far go out first, so a terminal shows the warning after them.
    flush();
    m_err->write(
        (QStringLiteral("quarvel-cli: Warnung: ") + displayMessage(message) + u'\n').toUtf8());
}

void OutputSink::reportFailure(const QString &message)
{
    if (!m_json) {
        write("\n");
        return;
    }
    writeJson(nullptr, message);
}

void OutputSink::appendJson(QStringView text)
{
    // As QJsonDocument's compact form escapes: quote, backslash and control characters.
    m_buffer += '"';
    qsizetype plain = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x20 && c != u'"' && c != u'\\')
            continue;
        append(text.sliced(plain, i - plain));
        plain = i + 1;
        static const char escapes[] = "btn\0fr";
        if (c >= 8 && c <= 13 && c != 11) {
            m_buffer += '\\';
            m_buffer += escapes[c - 8];
        } else if (c == u'"' || c == u'\\') {
            m_buffer += '\\';
            m_buffer += char(c);
        } else {
            m_buffer += "\\u00";
            m_buffer += "0123456789abcdef"[c >> 4];
            m_buffer += "0123456789abcdef"[c & 15];
        }
    }
    append(text.sliced(plain));
    m_buffer += '"';
}

void OutputSink::appendJson(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::String:
        appendJson(QStringView(value.toString()));
        return;
    case QJsonValue::Bool:
        m_buffer += value.toBool() ? "true" : "false";
        return;
    case QJsonValue::Double: {
        const double number = value.toDouble();
        if (number == double(value.toInteger()) && std::abs(number) < 9007199254740992.0) {
            char digits[24];
            const auto end = std::to_chars(digits, digits + sizeof digits, value.toInteger()).ptr;
            m_buffer.append(digits, end - digits);
            return;
        }
        break;
    }
    case QJsonValue::Array: {
        m_buffer += '[';
        const QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            if (i > 0)
                m_buffer += ',';
            appendJson(array.at(i));
        }
        m_buffer += ']';
        return;
    }
    default:
        break;
    }
    // Anything else (a fraction, null, an object) as Qt writes it.
    QJsonArray wrapped {value};
    const QByteArray text = QJsonDocument(wrapped).toJson(QJsonDocument::Compact);
    m_buffer += QByteArrayView(text).sliced(1, text.size() - 2);
}

void OutputSink::appendJson(const QStringList &texts)
{
    m_buffer += '[';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0)
            m_buffer += ',';
        appendJson(QStringView(texts.at(i)));
    }
    m_buffer += ']';
}

void OutputSink::writeJson(const Result *result, const QString &failure)
{
    // Written directly, with the keys in the order QJsonObject keeps them (sorted, a repeated
    // key written once with its last value), without building a document per line.
    struct Member
    {
        QStringView key;
        const QJsonValue *json;
        const QString *text;
        const QStringList *texts = nullptr;
        const Field *elements = nullptr;
    };
    QVarLengthArray<Member, 16> members;
    const QString failureText = result ? QString() : displayMessage(failure);
    const QString eingabe = QStringLiteral("eingabe");
    const QString fehler = QStringLiteral("fehler");
    if (m_echoInput)
        members.push_back({eingabe, nullptr, &m_input});
    if (result) {
        for (const Field &field : result->fields) {
            if (field.show != Field::Show::TextOnly)
                members.push_back({field.key, field.json.isUndefined() ? nullptr : &field.json,
                                   &field.text, field.jsonTexts ? &*field.jsonTexts : nullptr,
                                   field.jsonElements ? &field : nullptr});
        }
    } else {
        members.push_back({fehler, nullptr, &failureText});
    }
    std::stable_sort(members.begin(), members.end(),
                     [](const Member &a, const Member &b) { return a.key < b.key; });
    m_buffer += '{';
    bool first = true;
    for (qsizetype i = 0; i < members.size(); ++i) {
        if (i + 1 < members.size() && members[i + 1].key == members[i].key)
            continue;
        if (!first)
            m_buffer += ',';
        first = false;
        appendJson(members[i].key);
        m_buffer += ':';
        if (members[i].elements) {
            appendJsonElements(*members[i].elements);
        } else if (members[i].texts) {
            appendJson(*members[i].texts);
        } else if (members[i].json) {
            appendJson(*members[i].json);
        } else {
            appendJson(QStringView(*members[i].text));
        }
    }
    write("}\n");
}

void OutputSink::appendJsonElements(const Field &field)
{
    m_buffer += '[';
    bool first = true;
    field.jsonElements([&](const QJsonValue &element) {
        if (!first)
            m_buffer += ',';
        first = false;
        appendJson(element);
        if (m_buffer.size() >= kFlushSize)
            flush();
    });
    m_buffer += ']';
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
