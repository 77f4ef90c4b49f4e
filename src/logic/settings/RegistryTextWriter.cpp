#include "logic/settings/RegistryText.h"

#include <QStringEncoder>
#include <QtEndian>

namespace {

constexpr char kHeader[] = "Windows Registry Editor Version 5.00\n";
constexpr char kRoot[] = "HKEY_CURRENT_USER\\";
constexpr int kBytesPerLine = 25;
constexpr char kHexDigits[] = "0123456789abcdef";

// Appends UTF-8 straight into `out`, without a converted copy per value.
void appendUtf8(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    out.resize(start + encoder.requiredSpace(text.size()));
    char *end = encoder.appendToBuffer(out.data() + start, text);
    out.truncate(end - out.constData());
}

void appendQuoted(QByteArray &out, const QString &text)
{
    out += '"';
    qsizetype plain = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\\' && c != u'"')
            continue;
        appendUtf8(out, QStringView(text).sliced(plain, i - plain));
        out += '\\';
        plain = i; // the masked character goes out with the next run
    }
    appendUtf8(out, QStringView(text).sliced(plain));
    out += '"';
}

// A text that a quoted string holds exactly: the units up to one terminating zero at the end,
// no line break.
bool fitsQuoted(const RegistryValue &value)
{
    const QByteArray &data = value.data;
    if (value.type != RegistryType::Sz || data.size() < 2 || data.size() % 2 != 0)
        return false;
    const qsizetype units = data.size() / 2;
    for (qsizetype i = 0; i < units; ++i) {
        const char16_t unit = qFromLittleEndian<quint16>(data.constData() + 2 * i);
        if (unit == 0)
            return i == units - 1;
        if (unit == u'\n' || unit == u'\r')
            return false;
    }
    return false;
}

void appendHexByte(QByteArray &out, quint8 byte)
{
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0xF];
}

void appendByteList(QByteArray &out, const QByteArray &data)
{
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (i > 0)
            out += (i % kBytesPerLine == 0) ? QByteArrayView(",\\\n  ") : QByteArrayView(",");
        appendHexByte(out, quint8(data.at(i)));
    }
}

void appendData(QByteArray &out, const RegistryValue &value)
{
    if (fitsQuoted(value)) {
        appendQuoted(out, value.textValue());
    } else if (value.isDword()) {
        out += "dword:";
        const quint32 number = quint32(value.dwordValue());
        for (int shift = 28; shift >= 0; shift -= 4)
            out += kHexDigits[(number >> shift) & 0xF];
    } else if (value.type == RegistryType::Binary) {
        out += "hex:";
        appendByteList(out, value.data);
    } else {
        out += "hex(" + QByteArray::number(value.type, 16) + "):";
        appendByteList(out, value.data);
    }
}

} // namespace

QByteArray registryText(const RegistryDocument &document)
{
    QByteArray out(kHeader);
    for (const RegistryKey &key : document.keys) {
        out += "\n[";
        out += kRoot;
        appendUtf8(out, key.path);
        out += "]\n";
        for (const RegistryValue &value : key.values) {
            if (value.name.isEmpty())
                out += '@';
            else
                appendQuoted(out, value.name);
            out += '=';
            appendData(out, value);
            out += '\n';
        }
    }
    return out;
}
