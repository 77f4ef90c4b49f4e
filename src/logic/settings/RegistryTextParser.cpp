#include "logic/settings/RegistryText.h"

#include <QStringDecoder>

namespace {

const QString kHeader = QStringLiteral("Windows Registry Editor Version 5.00");
const QString kOldHeader = QStringLiteral("REGEDIT4");
const QString kRoot = QStringLiteral("HKEY_CURRENT_USER\\");

// The error a parse step reports; caught once and turned into the result's message.
struct ParseFailure
{
    QString text;
};

[[noreturn]] void fail(const QString &text)
{
    throw ParseFailure {text};
}

QString decodeText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE")) {
        if (bytes.size() % 2 != 0)
            fail(QStringLiteral("ungültige UTF-16-Kodierung"));
        return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2),
                                  (bytes.size() - 2) / 2);
    }
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(view);
    if (decoder.hasError())
        fail(QStringLiteral("ungültige UTF-8-Kodierung"));
    return text;
}

// A quoted string starting at `pos` ('"'): returns its text and moves pos behind the quote.
QString readQuoted(QStringView line, qsizetype &pos)
{
    QString text;
    qsizetype plain = ++pos; // start of the characters not yet copied
    for (; pos < line.size(); ++pos) {
        const QChar c = line.at(pos);
        if (c == u'"') {
            text += line.sliced(plain, pos - plain);
            ++pos;
            return text;
        }
        if (c == u'\\') {
            text += line.sliced(plain, pos - plain);
            if (++pos >= line.size() || (line.at(pos) != u'\\' && line.at(pos) != u'"'))
                fail(QStringLiteral("ungültige Maskierung mit \\"));
            plain = pos; // the masked character is copied with the next run
        }
    }
    fail(QStringLiteral("Anführungszeichen fehlt"));
}

bool parseHexNumber(QStringView digits, int maxDigits, quint32 &value)
{
    if (digits.isEmpty() || digits.size() > maxDigits)
        return false;
    bool ok = false;
    value = digits.toUInt(&ok, 16);
    return ok;
}

QByteArray parseByteList(QStringView list)
{
    QByteArray bytes;
    if (list.trimmed().isEmpty())
        return bytes;
    bytes.reserve(list.size() / 3 + 1);
    for (QStringView item : list.tokenize(u',')) {
        quint32 byte = 0;
        if (!parseHexNumber(item.trimmed(), 2, byte))
            fail(QStringLiteral("ungültige Byte-Liste"));
        bytes.append(char(byte));
    }
    return bytes;
}

RegistryValue parseData(const QString &name, QStringView data)
{
    RegistryValue value;
    value.name = name;
    if (data.startsWith(u'"')) {
        // Most texts mask nothing: their characters come straight from the line.
        if (data.size() >= 2 && data.endsWith(u'"')) {
            const QStringView inner = data.sliced(1, data.size() - 2);
            if (!inner.contains(u'"') && !inner.contains(u'\\'))
                return RegistryValue::text(name, inner);
        }
        qsizetype pos = 0;
        const QString text = readQuoted(data, pos);
        if (pos != data.size())
            fail(QStringLiteral("Zeichen nach dem Text"));
        return RegistryValue::text(name, text);
    }
    if (data.startsWith(u"dword:", Qt::CaseInsensitive)) {
        quint32 number = 0;
        if (!parseHexNumber(data.sliced(6), 8, number))
            fail(QStringLiteral("ungültiger dword-Wert"));
        return RegistryValue::dword(name, number);
    }
    if (data.startsWith(u"hex:", Qt::CaseInsensitive)) {
        value.type = RegistryType::Binary;
        value.data = parseByteList(data.sliced(4));
        return value;
    }
    if (data.startsWith(u"hex(", Qt::CaseInsensitive)) {
        const qsizetype close = data.indexOf(u"):");
        if (close < 0 || !parseHexNumber(data.sliced(4, close - 4), 8, value.type))
            fail(QStringLiteral("ungültiger Werttyp"));
        value.data = parseByteList(data.sliced(close + 2));
        return value;
    }
    fail(QStringLiteral("unbekannte Art von Wert"));
}

RegistryValue parseValueLine(QStringView line)
{
    QString name;
    qsizetype pos = 0;
    if (line.startsWith(u'@'))
        pos = 1;
    else if (line.startsWith(u'"'))
        name = readQuoted(line, pos);
    else
        fail(QStringLiteral("Zeile ist weder Schlüssel noch Wert"));
    while (pos < line.size() && line.at(pos).isSpace())
        ++pos;
    if (pos >= line.size() || line.at(pos) != u'=')
        fail(QStringLiteral("„=“ fehlt"));
    return parseData(name, line.sliced(pos + 1).trimmed());
}

QString parseKeyLine(QStringView line)
{
    if (!line.endsWith(u']'))
        fail(QStringLiteral("„]“ fehlt"));
    const QStringView path = line.sliced(1, line.size() - 2);
    if (path.startsWith(u'-'))
        fail(QStringLiteral("Schlüssel zum Löschen werden nicht unterstützt"));
    if (path.compare(QStringView(kRoot).chopped(1), Qt::CaseInsensitive) == 0)
        return QString(); // the root itself holds no values of ours
    if (!path.startsWith(kRoot, Qt::CaseInsensitive))
        fail(QStringLiteral("Schlüssel liegt nicht unter HKEY_CURRENT_USER"));
    const QString normalized =
        RegistryDocument::normalizedPath(path.sliced(kRoot.size()).toString());
    if (normalized.isEmpty())
        fail(QStringLiteral("leerer Schlüsselname"));
    return normalized;
}

// The lines of the text with their numbers, each trimmed; a line ending in "\" continues on the
// next one. Works on views, so a large file is not copied line by line.
class LineReader
{
public:
    explicit LineReader(QStringView text)
        : m_text(text)
    {
    }

    // False after the last line. `line` stays valid until the next call.
    bool next(QStringView &line, int &number)
    {
        if (atEnd())
            return false;
        number = m_number + 1;
        QStringView physical = nextPhysical();
        if (!physical.endsWith(u'\\') || atEnd()) {
            line = physical;
            return true;
        }
        m_joined.clear();
        while (physical.endsWith(u'\\') && !atEnd()) {
            m_joined += physical.chopped(1);
            physical = nextPhysical();
        }
        m_joined += physical;
        line = m_joined;
        return true;
    }

private:
    // Like QString::split at "\n": a text ending in a line end has an empty last line.
    bool atEnd() const { return m_pos > m_text.size(); }

    QStringView nextPhysical()
    {
        qsizetype end = m_text.indexOf(u'\n', m_pos);
        if (end < 0)
            end = m_text.size();
        const QStringView physical = m_text.sliced(m_pos, end - m_pos).trimmed();
        m_pos = end + 1;
        ++m_number;
        return physical;
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_number = 0;
    QString m_joined;
};

RegistryDocument parseDocument(const QString &text, int &lineNumber)
{
    RegistryDocument document;
    RegistryKey *key = nullptr;
    bool headerSeen = false;
    LineReader reader(text);
    QStringView line;
    while (reader.next(line, lineNumber)) {
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (!headerSeen) {
            if (line != kHeader && line != kOldHeader)
                fail(QStringLiteral("Kopfzeile „%1“ fehlt").arg(kHeader));
            headerSeen = true;
            continue;
        }
        if (line.startsWith(u'[')) {
            const QString path = parseKeyLine(line);
            key = path.isEmpty() ? nullptr : &document.findOrCreate(path);
            continue;
        }
        RegistryValue value = parseValueLine(line);
        if (!key)
            fail(QStringLiteral("Wert außerhalb eines Schlüssels"));
        key->set(std::move(value));
    }
    return document;
}

} // namespace

RegistryParseResult parseRegistryText(const QByteArray &bytes)
{
    int lineNumber = 0;
    try {
        const QString text = decodeText(bytes);
        return {parseDocument(text, lineNumber), {}};
    } catch (const ParseFailure &failure) {
        if (lineNumber == 0)
            return {std::nullopt, failure.text};
        return {std::nullopt, QStringLiteral("Zeile %1: %2").arg(lineNumber).arg(failure.text)};
    }
}
