#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMultiHash>
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

    static RegistryValue text(const QString &name, QStringView text,
                              quint32 type = RegistryType::Sz);
    static RegistryValue dword(const QString &name, quint32 value);

    bool isText() const { return type == RegistryType::Sz || type == RegistryType::ExpandSz; }
    bool isDword() const { return type == RegistryType::Dword && data.size() == 4; }
    // The text up to the first terminating zero; for text values only.
    QString textValue() const;
    qint32 dwordValue() const;

    bool operator==(const RegistryValue &) const = default;
};

// Finds entries by a name that compares without regard to case, in constant time, so files
// with many values read and write in linear time. It keeps a hash of each name with its code
// points case-folded (nothing is copied) and confirms a candidate by comparing the names. The
// index is built on first use and rebuilt when the number of entries changed behind its back
// or a candidate no longer carries its name (a list edited directly).
class CaseInsensitiveIndex
{
public:
    // Equal for names that QString::compare with Qt::CaseInsensitive finds equal.
    static size_t foldedHash(QStringView name);

    // The position of `name` (whose foldedHash is `hash`) among `count` entries, or -1;
    // `nameAt` gives the name of an entry.
    template<typename NameAt>
    qsizetype find(QStringView name, size_t hash, qsizetype count, NameAt nameAt) const
    {
        if (m_count != count)
            rebuild(count, nameAt);
        bool stale = false;
        const qsizetype found = lookup(name, hash, count, nameAt, stale);
        if (!stale)
            return found;
        rebuild(count, nameAt); // moved or renamed since the last look
        return lookup(name, hash, count, nameAt, stale);
    }
    // An entry appended at `position` with the name hash `hash`.
    void appended(size_t hash, qsizetype position)
    {
        if (m_count == position) {
            insert(hash, position);
            m_count = position + 1;
        }
    }
    // After changes the index cannot follow (removals): rebuilt on the next search.
    void invalidate() { m_count = -1; }

private:
    // Whether `position` holds `name`; notes in `stale` a position that changed under the index
    // (another name of the same hash is no sign of that).
    template<typename NameAt>
    static bool holds(qsizetype position, QStringView name, size_t hash, qsizetype count,
                      NameAt nameAt, bool &stale)
    {
        if (position < count &&
            QStringView(nameAt(position)).compare(name, Qt::CaseInsensitive) == 0)
            return true;
        if (position >= count || foldedHash(nameAt(position)) != hash)
            stale = true;
        return false;
    }

    template<typename NameAt>
    qsizetype lookup(QStringView name, size_t hash, qsizetype count, NameAt nameAt,
                     bool &stale) const
    {
        const qsizetype first = m_first.value(hash) - 1;
        if (first < 0)
            return -1;
        if (holds(first, name, hash, count, nameAt, stale))
            return first;
        const auto [begin, end] = m_more.equal_range(hash);
        for (auto it = begin; it != end; ++it) {
            if (holds(it.value(), name, hash, count, nameAt, stale))
                return it.value();
        }
        return -1;
    }

    void insert(size_t hash, qsizetype position) const
    {
        // Different names of one hash are rare: the first goes to the flat table, which holds
        // positions plus one, so one look-up finds the slot and whether it is free.
        qsizetype &slot = m_first[hash];
        if (slot == 0)
            slot = position + 1;
        else
            m_more.insert(hash, position);
    }

    template<typename NameAt> void rebuild(qsizetype count, NameAt nameAt) const
    {
        m_first.clear();
        m_more.clear();
        m_first.reserve(count);
        m_count = count;
        bool stale = false;
        for (qsizetype i = 0; i < count; ++i) {
            const size_t hash = foldedHash(nameAt(i));
            // The first of equal names, as a scan finds it.
            if (lookup(nameAt(i), hash, i, nameAt, stale) < 0)
                insert(hash, i);
        }
    }

    mutable QHash<size_t, qsizetype> m_first; // position + 1
    mutable QMultiHash<size_t, qsizetype> m_more;
    mutable qsizetype m_count = -1;
};

// One key. Key paths and value names compare without regard to case, as in the registry.
// `values` is best changed through set() and remove(); reading it directly is fine.
struct RegistryKey
{
    RegistryKey() = default;
    explicit RegistryKey(QString keyPath, QList<RegistryValue> keyValues = {})
        : path(std::move(keyPath))
        , values(std::move(keyValues))
    {
    }

    QString path; // below the user's root, without a leading "\"
    QList<RegistryValue> values;

    const RegistryValue *find(const QString &name) const;
    // Replaces a value of the same name in place, or appends it.
    void set(RegistryValue value);
    // True when a value of that name was there.
    bool remove(const QString &name);

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

    bool operator==(const RegistryKey &other) const
    {
        return path == other.path && values == other.values;
    }

private:
    qsizetype position(const QString &name, size_t hash) const;

    CaseInsensitiveIndex m_index;
};

struct RegistryDocument
{
    QList<RegistryKey> keys;

    // "\Software\X" and "Software\X" name the same key.
    static QString normalizedPath(const QString &path);
    RegistryKey *find(const QString &path);
    const RegistryKey *find(const QString &path) const;
    RegistryKey &findOrCreate(const QString &path);

    bool operator==(const RegistryDocument &other) const { return keys == other.keys; }

private:
    qsizetype position(const QString &normalized, size_t hash) const;

    CaseInsensitiveIndex m_index;
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
