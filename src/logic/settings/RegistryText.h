#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The settings store's file: keys below the user's root with their typed values, written in the
// text form of a registry export:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Brask\Quarvel\1.0]
//   "Left"=dword:00000000
//   "HomeKoordinaten"="N 0° E 0°"
//   "Pfad"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,00,00
//
// Values are held as the registry holds them, a type number and raw bytes, so values of types
// the program never uses (written by another program) survive a load and save unchanged.

namespace RegistryType {
constexpr quint32 Sz = 1; // text
constexpr quint32 ExpandSz = 2; // text with %VARIABLES%, returned unexpanded
constexpr quint32 Binary = 3;
constexpr quint32 Dword = 4; // 32-bit integer, little-endian
} // namespace RegistryType

struct RegistryValue
{
    QString name; // empty: the key's default value ("@")
    quint32 type = RegistryType::Sz;
    QByteArray data;

    static RegistryValue text(const QString &name, const QString &text,
                              quint32 type = RegistryType::Sz);
    static RegistryValue dword(const QString &name, quint32 value);

    bool isText() const { return type == RegistryType::Sz || type == RegistryType::ExpandSz; }
    bool isDword() const { return type == RegistryType::Dword && data.size() == 4; }
    // The text up to the first terminating zero; for text values only.
    QString textValue() const;
    qint32 dwordValue() const;

    bool operator==(const RegistryValue &) const = default;
};

// One key. Key paths and value names compare without regard to case, as in the registry.
struct RegistryKey
{
    QString path; // below the user's root, without a leading "\"
    QList<RegistryValue> values;

    const RegistryValue *find(const QString &name) const;
    // Replaces a value of the same name in place, or appends it.
    void set(const RegistryValue &value);

    // The registry operations with their failure messages (QuarvelError).
    int readInteger(const QString &name) const;
    QString readString(const QString &name) const;
    void writeInteger(const QString &name, int value)
    {
        set(RegistryValue::dword(name, quint32(value)));
    }
    void writeString(const QString &name, const QString &text)
    {
        set(RegistryValue::text(name, text));
    }

    bool operator==(const RegistryKey &) const = default;
};

struct RegistryDocument
{
    QList<RegistryKey> keys;

    // "\Software\X" and "Software\X" name the same key.
    static QString normalizedPath(const QString &path);
    RegistryKey *find(const QString &path);
    const RegistryKey *find(const QString &path) const;
    RegistryKey &findOrCreate(const QString &path);

    bool operator==(const RegistryDocument &) const = default;
};

struct RegistryParseResult
{
    std::optional<RegistryDocument> document;
    QString error; // German, with the line number, when document is empty
};

// Reads UTF-8 (with or without byte order mark) or UTF-16LE with byte order mark. An empty or
// blank file is an empty document; anything else must start with the export header line.
RegistryParseResult parseRegistryText(const QByteArray &bytes);

// UTF-8, "\n" line ends; texts that a quoted string cannot hold (line breaks, inner zeros) are
// written as hex(1) byte lists, so every document reads back equal.
QByteArray registryText(const RegistryDocument &document);
