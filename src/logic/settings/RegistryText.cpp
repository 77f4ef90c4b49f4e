#include "logic/settings/RegistryText.h"

#include "logic/common/QuarvelError.h"

#include <QtEndian>

RegistryValue RegistryValue::text(const QString &name, QStringView text, quint32 type)
{
    // UTF-16LE with its terminating zero, as the registry keeps a text.
    QByteArray bytes((text.size() + 1) * 2, Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar c : text) {
        qToLittleEndian(c.unicode(), out);
        out += 2;
    }
    out[0] = out[1] = '\0';
    return {name, type, bytes};
}

RegistryValue RegistryValue::dword(const QString &name, quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return {name, RegistryType::Dword, bytes};
}

QString RegistryValue::textValue() const
{
    const qsizetype units = data.size() / 2;
    QString text(units, Qt::Uninitialized);
    QChar *out = text.data();
    qsizetype length = 0;
    for (; length < units; ++length) {
        const char16_t unit = qFromLittleEndian<quint16>(data.constData() + 2 * length);
        if (unit == 0)
            break;
        out[length] = QChar(unit);
    }
    text.truncate(length);
    return text;
}

qint32 RegistryValue::dwordValue() const
{
    return data.size() == 4 ? qFromLittleEndian<qint32>(data.constData()) : 0;
}

size_t CaseInsensitiveIndex::foldedHash(QStringView name)
{
    // FNV-1a over the case-folded code points, the units QString::compare folds.
    size_t hash = 14695981039346656037ULL;
    const qsizetype size = name.size();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t point = name[i].unicode();
        if (QChar::isHighSurrogate(point) && i + 1 < size && name[i + 1].isLowSurrogate())
            point = QChar::surrogateToUcs4(char16_t(point), name[++i].unicode());
        hash = (hash ^ QChar::toCaseFolded(point)) * 1099511628211ULL;
    }
    return hash;
}

qsizetype RegistryKey::position(const QString &name, size_t hash) const
{
    return m_index.find(name, hash, values.size(),
                        [this](qsizetype i) -> const QString & { return values.at(i).name; });
}

const RegistryValue *RegistryKey::find(const QString &name) const
{
    const qsizetype at = position(name, CaseInsensitiveIndex::foldedHash(name));
    return at < 0 ? nullptr : &values.at(at);
}

void RegistryKey::set(RegistryValue value)
{
    const size_t hash = CaseInsensitiveIndex::foldedHash(value.name);
    const qsizetype at = position(value.name, hash);
    if (at >= 0) {
        values[at] = std::move(value);
        return;
    }
    values.append(std::move(value));
    m_index.appended(hash, values.size() - 1);
}

bool RegistryKey::remove(const QString &name)
{
    const qsizetype at = position(name, CaseInsensitiveIndex::foldedHash(name));
    if (at < 0)
        return false;
    values.removeAt(at);
    m_index.invalidate();
    return true;
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
    qsizetype begin = 0;
    qsizetype end = path.size();
    while (begin < end && path.at(begin) == u'\\')
        ++begin;
    while (end > begin && path.at(end - 1) == u'\\')
        --end;
    return path.sliced(begin, end - begin);
}

qsizetype RegistryDocument::position(const QString &normalized, size_t hash) const
{
    return m_index.find(normalized, hash, keys.size(),
                        [this](qsizetype i) -> const QString & { return keys.at(i).path; });
}

RegistryKey *RegistryDocument::find(const QString &path)
{
    const QString normalized = normalizedPath(path);
    const qsizetype at = position(normalized, CaseInsensitiveIndex::foldedHash(normalized));
    return at < 0 ? nullptr : &keys[at];
}

const RegistryKey *RegistryDocument::find(const QString &path) const
{
    const QString normalized = normalizedPath(path);
    const qsizetype at = position(normalized, CaseInsensitiveIndex::foldedHash(normalized));
    return at < 0 ? nullptr : &keys.at(at);
}

RegistryKey &RegistryDocument::findOrCreate(const QString &path)
{
    const QString normalized = normalizedPath(path);
    const size_t hash = CaseInsensitiveIndex::foldedHash(normalized);
    const qsizetype at = position(normalized, hash);
    if (at >= 0)
        return keys[at];
    keys.append(RegistryKey(normalized));
    m_index.appended(hash, keys.size() - 1);
    return keys.last();
}
