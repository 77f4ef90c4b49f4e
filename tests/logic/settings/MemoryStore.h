#pragma once

#include "logic/common/QuarvelError.h"
#include "logic/settings/RegistryText.h"
#include "logic/settings/SettingsStore.h"

#include <QStringList>

// A settings store held in memory with the registry's read and write rules, which can be told
// to refuse opening for writing or to fail writing one value.
class MemoryStore : public SettingsStore
{
public:
    bool openKey(const QString &path, bool create) override
    {
        closeKey();
        if (create && refuseWriting)
            return false;
        m_key = create ? &document.findOrCreate(path) : document.find(path);
        if (m_key)
            opened.append(RegistryDocument::normalizedPath(path));
        return m_key != nullptr;
    }
    int readInteger(const QString &name) override { return key().readInteger(name); }
    QString readString(const QString &name) override { return key().readString(name); }
    void writeInteger(const QString &name, int value) override
    {
        failIfAsked(name);
        key().writeInteger(name, value);
    }
    void writeString(const QString &name, const QString &value) override
    {
        failIfAsked(name);
        key().writeString(name, value);
    }
    void closeKey() override
    {
        if (m_key)
            ++closes;
        m_key = nullptr;
    }

    bool isOpen() const { return m_key != nullptr; }

    RegistryDocument document;
    bool refuseWriting = false;
    QString failWriting; // the value whose write fails
    QStringList opened; // keys opened, in order
    int closes = 0;

private:
    RegistryKey &key()
    {
        if (!m_key)
            throw QuarvelError(QStringLiteral("no key open"));
        return *m_key;
    }
    void failIfAsked(const QString &name)
    {
        if (name == failWriting)
            throw QuarvelError(QStringLiteral("Fehler beim Setzen der Daten für '%1'").arg(name));
    }

    RegistryKey *m_key = nullptr;
};
