#include "logic/settings/RegistryText.h"

#include "logic/common/QuarvelError.h"

#include <QStringDecoder>
#include <QStringList>
#include <QtEndian>

namespace {

const QString kHeader = QStringLiteral("Windows Registry Editor Version 5.00");
const QString kOldHeader = QStringLiteral("REGEDIT4");
const QString kRoot = QStringLiteral("HKEY_CURRENT_USER\\");
constexpr int kBytesPerLine = 25;

QByteArray utf16Bytes(const QString &text)
{
    QByteArray bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    bytes.append(2, '\0');
    return bytes;
}

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
QString readQuoted(const QString &line, qsizetype &pos)
{
    QString text;
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line.at(pos);
        if (c == u'"') {
            ++pos;
            return text;
        }
        if (c == u'\\') {
            if (++pos >= line.size() || (line.at(pos) != u'\\' && line.at(pos) != u'"'))
                fail(QStringLiteral("ungültige Maskierung mit \\"));
        }
        text.append(line.at(pos));
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
    for (QStringView item : list.split(u',')) {
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
        const QString line = data.toString();
        qsizetype pos = 0;
        const QString text = readQuoted(line, pos);
        if (pos != line.size())
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

RegistryValue parseValueLine(const QString &line)
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
    return parseData(name, QStringView(line).sliced(pos + 1).trimmed());
}

QString parseKeyLine(const QString &line)
{
    if (!line.endsWith(u']'))
        fail(QStringLiteral("„]“ fehlt"));
    QString path = line.mid(1, line.size() - 2);
    if (path.startsWith(u'-'))
        fail(QStringLiteral("Schlüssel zum Löschen werden nicht unterstützt"));
    if (path.compare(kRoot.chopped(1), Qt::CaseInsensitive) == 0)
        return QString(); // the root itself holds no values of ours
    if (!path.startsWith(kRoot, Qt::CaseInsensitive))
        fail(QStringLiteral("Schlüssel liegt nicht unter HKEY_CURRENT_USER"));
    path = RegistryDocument::normalizedPath(path.sliced(kRoot.size()));
    if (path.isEmpty())
        fail(QStringLiteral("leerer Schlüsselname"));
    return path;
}

// Lines with their numbers; a line ending in "\" continues on the next one.
QList<std::pair<int, QString>> logicalLines(const QString &text)
{
    QList<std::pair<int, QString>> lines;
    const QStringList physical = text.split(u'\n');
    for (int i = 0; i < physical.size(); ++i) {
        QString line = physical.at(i).trimmed();
        const int number = i + 1;
        while (line.endsWith(u'\\') && i + 1 < physical.size()) {
            line.chop(1);
            line += physical.at(++i).trimmed();
        }
        lines.append({number, line});
    }
    return lines;
}

RegistryDocument parseDocument(const QString &text, int &lineNumber)
{
    RegistryDocument document;
    RegistryKey *key = nullptr;
    bool headerSeen = false;
    for (const auto &[number, line] : logicalLines(text)) {
        lineNumber = number;
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
        const RegistryValue value = parseValueLine(line);
        if (!key)
            fail(QStringLiteral("Wert außerhalb eines Schlüssels"));
        key->set(value);
    }
    return document;
}

QString quoted(const QString &text)
{
    QString result = QStringLiteral("\"");
    for (QChar c : text) {
        if (c == u'\\' || c == u'"')
            result += u'\\';
        result += c;
    }
    return result + u'"';
}

bool fitsQuoted(const RegistryValue &value)
{
    if (value.type != RegistryType::Sz || value.data.size() < 2 || value.data.size() % 2 != 0)
        return false;
    const QString text = value.textValue();
    return utf16Bytes(text) == value.data && !text.contains(u'\n') && !text.contains(u'\r');
}

QString byteList(const QString &prefix, const QByteArray &data)
{
    QString result = prefix;
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (i > 0)
            result += (i % kBytesPerLine == 0) ? QStringLiteral(",\\\n  ") : QStringLiteral(",");
        result += QStringLiteral("%1").arg(quint8(data.at(i)), 2, 16, QChar(u'0'));
    }
    return result;
}

QString dataText(const RegistryValue &value)
{
    if (fitsQuoted(value))
        return quoted(value.textValue());
    if (value.isDword())
        return QStringLiteral("dword:%1").arg(quint32(value.dwordValue()), 8, 16, QChar(u'0'));
    if (value.type == RegistryType::Binary)
        return byteList(QStringLiteral("hex:"), value.data);
    return byteList(QStringLiteral("hex(%1):").arg(value.type, 0, 16), value.data);
}

} // namespace

RegistryValue RegistryValue::text(const QString &name, const QString &text, quint32 type)
{
    return {name, type, utf16Bytes(text)};
}

RegistryValue RegistryValue::dword(const QString &name, quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return {name, RegistryType::Dword, bytes};
}

QString RegistryValue::textValue() const
{
    QString text;
    for (qsizetype i = 0; i + 1 < data.size(); i += 2) {
        const char16_t unit = char16_t(quint8(data.at(i)) | (quint8(data.at(i + 1)) << 8));
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}

qint32 RegistryValue::dwordValue() const
{
    return data.size() == 4 ? qFromLittleEndian<qint32>(data.constData()) : 0;
}

const RegistryValue *RegistryKey::find(const QString &name) const
{
    for (const RegistryValue &value : values) {
        if (value.name.compare(name, Qt::CaseInsensitive) == 0)
            return &value;
    }
    return nullptr;
}

void RegistryKey::set(const RegistryValue &value)
{
    for (RegistryValue &existing : values) {
        if (existing.name.compare(value.name, Qt::CaseInsensitive) == 0) {
            existing = value;
            return;
        }
    }
    values.append(value);
}

int RegistryKey::readInteger(const QString &name) const
{
    const RegistryValue *value = find(name);
    if (!value)
        throw QuarvelError(QStringLiteral("Fehler beim Holen der Daten für '%1'").arg(name));
    if (!value->isDword())
        throw QuarvelError(QStringLiteral("Ungültiger Datentyp für '%1'").arg(name));
    return value->dwordValue();
}

QString RegistryKey::readString(const QString &name) const
{
    const RegistryValue *value = find(name);
    if (!value)
        return QString();
    if (!value->isText())
        throw QuarvelError(QStringLiteral("Ungültiger Datentyp für '%1'").arg(name));
    return value->textValue();
}

QString RegistryDocument::normalizedPath(const QString &path)
{
    QString result = path;
    while (result.startsWith(u'\\'))
        result.remove(0, 1);
    while (result.endsWith(u'\\'))
        result.chop(1);
    return result;
}

RegistryKey *RegistryDocument::find(const QString &path)
{
    const QString wanted = normalizedPath(path);
    for (RegistryKey &key : keys) {
        if (key.path.compare(wanted, Qt::CaseInsensitive) == 0)
            return &key;
    }
    return nullptr;
}

const RegistryKey *RegistryDocument::find(const QString &path) const
{
    return const_cast<RegistryDocument *>(this)->find(path);
}

RegistryKey &RegistryDocument::findOrCreate(const QString &path)
{
    if (RegistryKey *key = find(path))
        return *key;
    keys.append({normalizedPath(path), {}});
    return keys.last();
}

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

QByteArray registryText(const RegistryDocument &document)
{
    QString text = kHeader + u'\n';
    for (const RegistryKey &key : document.keys) {
        text += QStringLiteral("\n[") + kRoot + key.path + QStringLiteral("]\n");
        for (const RegistryValue &value : key.values) {
            const QString name = value.name.isEmpty() ? QStringLiteral("@") : quoted(value.name);
            text += name + u'=' + dataText(value) + u'\n';
        }
    }
    return text.toUtf8();
}
