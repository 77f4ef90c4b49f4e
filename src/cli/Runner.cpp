#include "cli/Runner.h"

#include "cli/ArgParser.h"
#include "cli/Help.h"
#include "cli/LineReader.h"
#include "cli/Output.h"
#include "logic/common/FileOpenError.h"
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"
#include "logic/common/SystemMessages.h"

#include <QFile>
#include <QStringDecoder>

#include <optional>

namespace Cli {
namespace {

// Strict UTF-8: a byte sequence that is no UTF-8 is an error, never replaced in silence.
std::optional<QString> decodeUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

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

QString linePrefix(qint64 number)
{
    return QStringLiteral("Zeile %1: ").arg(number);
}

QString byteCount(qint64 bytes)
{
    return QStringLiteral("%1 Byte").arg(Numbers::formatGrouped(static_cast<long double>(bytes)));
}

int outputFailed(const QString &reason, QIODevice &err)
{
    err.write((QStringLiteral("quarvel-cli: Die Ausgabe konnte nicht geschrieben werden: ") +
               displayMessage(SystemMessages::germanReason(reason)) + u'\n')
                  .toUtf8());
    return kOutputFailed;
}

class Session
{
public:
    Session(const Invocation &invocation, QIODevice &out, QIODevice &err)
        : m_invocation(invocation)
        , m_sink(out, invocation.json, &err)
        , m_err(err)
    {
    }

    int run(const Handler &handler, QIODevice &in);

private:
    void process(const Handler &handler, const QString &input, qint64 line);
    void fail(const QString &message, qint64 line);
    void readLines(const Handler &handler, QIODevice &in);
    std::optional<QByteArray> readDocument(QIODevice &in);
    std::optional<QByteArray> readLimited(QIODevice &device, const QString &name);

    const Invocation &m_invocation;
    OutputSink m_sink;
    QIODevice &m_err;
    int m_exitCode = kSuccess;
};

// `line` is the number of the input line the message belongs to, 0 for none.
void Session::fail(const QString &message, qint64 line)
{
    m_exitCode = kInvalidInput;
    // The results so far go out first, so a terminal shows the message after them.
    m_sink.flush();
    m_err.write((QStringLiteral("quarvel-cli: ") + (line > 0 ? linePrefix(line) : QString()) +
                 displayMessage(message) + u'\n')
                    .toUtf8());
}

void Session::process(const Handler &handler, const QString &input, qint64 line)
{
    const bool perLine = m_invocation.command->input == InputKind::Line;
    m_sink.setInput(input, perLine && m_sink.json());
    try {
        if (line > 0 && !m_invocation.taskPrefix.isEmpty())
            handler(m_invocation.taskPrefix + u' ' + input, m_sink);
        else
            handler(input, m_sink);
    } catch (const QuarvelError &error) {
        fail(error.message(), line);
        if (perLine)
            m_sink.reportFailure(error.message());
    }
}

void Session::readLines(const Handler &handler, QIODevice &in)
{
    LineReader reader(in, [this] { m_sink.flush(); });
    QByteArrayView line;
    for (;;) {
        const LineReader::Status status = reader.next(line);
        if (status == LineReader::Status::End || m_sink.failed())
            return;
        if (status == LineReader::Status::TooLong) {
            const QString message =
                QStringLiteral("Die Zeile ist länger als %1 und wird nicht gelesen; die "
                               "Eingabe endet hier")
                    .arg(byteCount(reader.maxLine()));
            m_sink.setInput(QString(), m_sink.json());
            m_sink.reportFailure(message);
            fail(message, reader.lineNumber());
            return;
        }
        if (reader.lineNumber() == 1 && line.startsWith("\xEF\xBB\xBF"))
            line = line.sliced(3);
        const std::optional<QString> text = decodeUtf8(line);
        if (text) {
            process(handler, *text, reader.lineNumber());
        } else {
            m_sink.setInput(QString(), m_sink.json());
            fail(kNotUtf8, reader.lineNumber());
            m_sink.reportFailure(kNotUtf8);
        }
    }
}

// At most the command's limit of bytes; a longer document is refused naming `name`.
std::optional<QByteArray> Session::readLimited(QIODevice &device, const QString &name)
{
    const qint64 limit = m_invocation.command->maxDocumentBytes;
    QByteArray bytes;
    for (;;) {
        const qint64 wanted = qMin<qint64>(limit + 1 - bytes.size(), 1024 * 1024);
        if (wanted <= 0)
            break;
        const QByteArray block = device.read(wanted);
        if (block.isEmpty())
            break;
        bytes += block;
    }
    if (bytes.size() > limit) {
        fail(QStringLiteral("%1 ist zu groß: Gelesen werden höchstens %2")
                 .arg(name, byteCount(limit)),
             0);
        return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> Session::readDocument(QIODevice &in)
{
    if (m_invocation.fromStdin)
        return readLimited(in, QStringLiteral("Die Standardeingabe"));
    const QString path = m_invocation.texts.constFirst();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(cannotOpenFileText(path, file.errorString()), 0);
        return std::nullopt;
    }
    return readLimited(file, QStringLiteral("Die Datei „%1“").arg(path));
}

int Session::run(const Handler &handler, QIODevice &in)
{
    if (m_invocation.command->input == InputKind::Document) {
        const std::optional<QByteArray> bytes = readDocument(in);
        if (bytes) {
            const std::optional<QString> text = decodeUtf8(*bytes);
            if (text)
                process(handler, *text, 0);
            else
                fail(kNotUtf8, firstInvalidLine(*bytes));
        }
    } else if (m_invocation.fromStdin) {
        readLines(handler, in);
    } else {
        process(handler, m_invocation.texts.join(u' '), 0);
    }
    if (!m_sink.flush())
        return outputFailed(m_sink.failure(), m_err);
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

int wrongUsage(const UsageError &error, QIODevice &err)
{
    const QString help = error.command
        ? QStringLiteral("quarvel-cli %1 --help").arg(error.command->names.constFirst())
        : QStringLiteral("quarvel-cli --help");
    err.write((QStringLiteral("quarvel-cli: ") + error.message + QStringLiteral("\nHilfe: ") +
               help + u'\n')
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
            QString failure;
            const QString help =
                invocation.command ? commandHelp(*invocation.command) : programHelp();
            return writeAll(out, help.toUtf8(), &failure) ? kSuccess : outputFailed(failure, err);
        }
        Handler handler;
        try {
            handler = invocation.command->prepare(invocation.options);
        } catch (UsageError &error) {
            error.command = invocation.command;
            throw;
        } catch (const QuarvelError &error) {
            err.write((QStringLiteral("quarvel-cli: ") + displayMessage(error.message()) + u'\n')
                          .toUtf8());
            return kInvalidInput;
        }
        Session session(invocation, out, err);
        return session.run(handler, in);
    } catch (const UsageError &error) {
        return wrongUsage(error, err);
    }
}

} // namespace Cli
