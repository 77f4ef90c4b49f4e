#include "cli/Runner.h"

#include "cli/ArgParser.h"
#include "cli/Help.h"
#include "cli/Output.h"
#include "logic/common/FileOpenError.h"
#include "logic/common/QuarvelError.h"

#include <QFile>
#include <QStringDecoder>

#include <optional>

namespace Cli {
namespace {

// Strict UTF-8: a byte sequence that is no UTF-8 is an error, never replaced in silence.
std::optional<QString> decodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

constexpr qint64 kReadBlock = 64 * 1024;

const QString kNotUtf8 = QStringLiteral("Die Eingabe ist kein gültiges UTF-8");

// The number (from 1) of the first line of a text that holds bytes that are no UTF-8.
qsizetype firstInvalidLine(const QByteArray &bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!decodeUtf8(lines.at(i)))
            return i + 1;
    }
    return lines.size();
}

class Session
{
public:
    Session(const Invocation &invocation, QIODevice &out, QIODevice &err)
        : m_invocation(invocation)
        , m_sink(out, invocation.json)
        , m_err(err)
    {
    }

    int run(const Handler &handler, QIODevice &in);

private:
    void process(const Handler &handler, const QString &input, const QString &where);
    void fail(const QString &message, const QString &where);
    void readLines(const Handler &handler, QIODevice &in);
    std::optional<QByteArray> nextLine(QIODevice &in);
    std::optional<QByteArray> readDocument(QIODevice &in);

    const Invocation &m_invocation;
    OutputSink m_sink;
    QIODevice &m_err;
    int m_exitCode = kSuccess;
    QByteArray m_pending; // read but not yet handed on, from m_pendingPos
    qsizetype m_pendingPos = 0;
    bool m_inputEnded = false;
};

void Session::fail(const QString &message, const QString &where)
{
    m_exitCode = kInvalidInput;
    // The results so far go out first, so a terminal shows the message after them.
    m_sink.flush();
    m_err.write(
        (QStringLiteral("quarvel-cli: ") + where + displayMessage(message) + u'\n').toUtf8());
}

void Session::process(const Handler &handler, const QString &input, const QString &where)
{
    const bool perLine = m_invocation.command->input == InputKind::Line;
    m_sink.setInput(input, perLine);
    try {
        handler(input, m_sink);
    } catch (const QuarvelError &error) {
        fail(error.message(), where);
        if (perLine)
            m_sink.reportFailure(error.message());
    }
}

// The next line of the input without its line end, or nothing at the end of the input. Reads
// in blocks of what is there; the results so far go out before a read that may wait (someone
// typing, a slow pipe).
std::optional<QByteArray> Session::nextLine(QIODevice &in)
{
    qsizetype newline = m_pending.indexOf('\n', m_pendingPos);
    while (newline < 0 && !m_inputEnded) {
        m_sink.flush();
        const QByteArray block = in.read(kReadBlock);
        if (block.isEmpty()) {
            m_inputEnded = true;
            break;
        }
        const qsizetype searched = m_pending.size() - m_pendingPos;
        m_pending = m_pending.mid(m_pendingPos) + block;
        m_pendingPos = 0;
        newline = m_pending.indexOf('\n', searched);
    }
    if (newline < 0) {
        if (m_pendingPos >= m_pending.size())
            return std::nullopt;
        newline = m_pending.size();
    }
    QByteArray line = m_pending.mid(m_pendingPos, newline - m_pendingPos);
    m_pendingPos = newline + 1;
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

void Session::readLines(const Handler &handler, QIODevice &in)
{
    qint64 number = 0;
    while (std::optional<QByteArray> line = nextLine(in)) {
        ++number;
        if (number == 1 && line->startsWith("\xEF\xBB\xBF"))
            line->remove(0, 3);
        const QString where = QStringLiteral("Zeile %1: ").arg(number);
        const std::optional<QString> text = decodeUtf8(*line);
        if (text) {
            process(handler, *text, where);
        } else {
            m_sink.setInput(QString(), true);
            fail(kNotUtf8, where);
            m_sink.reportFailure(kNotUtf8);
        }
    }
}

std::optional<QByteArray> Session::readDocument(QIODevice &in)
{
    if (m_invocation.fromStdin)
        return in.readAll();
    const QString path = m_invocation.texts.constFirst();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(cannotOpenFileText(path, file.errorString()), {});
        return std::nullopt;
    }
    return file.readAll();
}

int Session::run(const Handler &handler, QIODevice &in)
{
    if (m_invocation.command->input == InputKind::Document) {
        const std::optional<QByteArray> bytes = readDocument(in);
        if (bytes) {
            const std::optional<QString> text = decodeUtf8(*bytes);
            if (text)
                process(handler, *text, {});
            else
                fail(kNotUtf8, QStringLiteral("Zeile %1: ").arg(firstInvalidLine(*bytes)));
        }
    } else if (m_invocation.fromStdin) {
        readLines(handler, in);
    } else {
        process(handler, m_invocation.texts.join(u' '), {});
    }
    m_sink.flush();
    return m_exitCode;
}

std::optional<QStringList> decodeArguments(const QList<QByteArray> &arguments, QIODevice &err)
{
    QStringList texts;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const std::optional<QString> text = decodeUtf8(arguments.at(i));
        if (!text) {
            err.write(QStringLiteral("quarvel-cli: Argument %1 ist kein gültiges UTF-8.\n")
                          .arg(i + 1)
                          .toUtf8());
            return std::nullopt;
        }
        texts.append(*text);
    }
    return texts;
}

int wrongUsage(const QString &message, QIODevice &err)
{
    err.write((QStringLiteral("quarvel-cli: ") + message +
               QStringLiteral("\nHilfe: quarvel-cli --help\n"))
                  .toUtf8());
    return kWrongUsage;
}

} // namespace

int run(const QList<QByteArray> &arguments, QIODevice &in, QIODevice &out, QIODevice &err)
{
    const std::optional<QStringList> texts = decodeArguments(arguments, err);
    if (!texts)
        return kInvalidInput;
    try {
        const Invocation invocation = parseArguments(*texts);
        if (invocation.help) {
            out.write(
                (invocation.command ? commandHelp(*invocation.command) : programHelp()).toUtf8());
            return kSuccess;
        }
        Handler handler;
        try {
            handler = invocation.command->prepare(invocation.options);
        } catch (const QuarvelError &error) {
            err.write((QStringLiteral("quarvel-cli: ") + displayMessage(error.message()) + u'\n')
                          .toUtf8());
            return kInvalidInput;
        }
        Session session(invocation, out, err);
        return session.run(handler, in);
    } catch (const UsageError &error) {
        return wrongUsage(error.message, err);
    }
}

} // namespace Cli
