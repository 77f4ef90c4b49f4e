#include "logic/settings/LoadSaveSettings.h"

#include "logic/settings/SettingsStore.h"

namespace {

QString programValueName(int slot)
{
    return QStringLiteral("Externes Programm %1").arg(slot);
}

// Closes the key however the reading ends.
class OpenKey
{
public:
    explicit OpenKey(SettingsStore &store)
        : m_store(store)
    {
    }
    ~OpenKey()
    {
        try {
            m_store.closeKey();
        } catch (...) {
            // Closing a key that was only read keeps nothing that could be lost.
        }
    }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;

private:
    SettingsStore &m_store;
};

void readProgramKey(SettingsStore &store, Settings &s)
{
    s.Left = store.readInteger(QStringLiteral("Left"));
    s.Top = store.readInteger(QStringLiteral("Top"));
    s.Width = store.readInteger(QStringLiteral("Width"));
    s.Height = store.readInteger(QStringLiteral("Height"));
    s.HomeKoordinaten = store.readString(QStringLiteral("HomeKoordinaten"));
    s.Update = store.readInteger(QStringLiteral("Update")) != 0;
    s.UpdateSuchen = store.readInteger(QStringLiteral("UpdateSuchen")) != 0;
    s.ROTEingabe = store.readInteger(QStringLiteral("ROTEingabe")) != 0;
    s.NavFensterBreite = store.readInteger(QStringLiteral("NavFensterBreite"));
    s.HomeFensterHoehe = store.readInteger(QStringLiteral("HomeFensterHoehe"));
    for (int slot = 1; slot <= int(s.ExterneProgramme.size()); ++slot)
        s.ExterneProgramme[slot - 1] = store.readString(programValueName(slot));
    s.Editor = store.readString(QStringLiteral("Editor"));
    s.EditorNr = store.readInteger(QStringLiteral("EditorNr"));
    s.extEditor = store.readString(QStringLiteral("extEditor"));
    s.GSAK = store.readString(QStringLiteral("GSAK"));
    s.GCStatistic = store.readString(QStringLiteral("GCStatistic"));
    s.Datenbank = store.readString(QStringLiteral("Datenbank"));
}

void writeProgramKey(SettingsStore &store, const Settings &s)
{
    store.writeInteger(QStringLiteral("Left"), s.Left.value_or(0));
    store.writeInteger(QStringLiteral("Top"), s.Top.value_or(0));
    store.writeInteger(QStringLiteral("Width"), s.Width.value_or(0));
    store.writeInteger(QStringLiteral("Height"), s.Height.value_or(0));
    store.writeString(QStringLiteral("HomeKoordinaten"), s.HomeKoordinaten);
    store.writeInteger(QStringLiteral("UpdateSuchen"), s.UpdateSuchen ? 1 : 0);
    store.writeInteger(QStringLiteral("Update"), s.Update ? 1 : 0);
    store.writeInteger(QStringLiteral("ROTEingabe"), s.ROTEingabe ? 1 : 0);
    store.writeInteger(QStringLiteral("NavFensterBreite"), s.NavFensterBreite.value_or(0));
    store.writeInteger(QStringLiteral("HomeFensterHoehe"), s.HomeFensterHoehe);
    for (int slot = 1; slot <= int(s.ExterneProgramme.size()); ++slot)
        store.writeString(programValueName(slot), s.ExterneProgramme[slot - 1]);
    store.writeString(QStringLiteral("Editor"), s.Editor);
    store.writeInteger(QStringLiteral("EditorNr"), s.EditorNr);
    store.writeString(QStringLiteral("extEditor"), s.extEditor);
    store.writeString(QStringLiteral("GSAK"), s.GSAK);
    store.writeString(QStringLiteral("GCStatistic"), s.GCStatistic);
    store.writeString(QStringLiteral("Datenbank"), s.Datenbank);
}

} // namespace

void LoadSettings(SettingsStore &store, Settings &settings)
{
    if (store.openKey(kSettingsKey, false)) {
        OpenKey open(store);
        readProgramKey(store, settings);
    }
    if (store.openKey(kSkrivoEditorKey, false)) {
        OpenKey open(store);
        settings.SkrivoEditor = store.readString(QStringLiteral("Application"));
    }
}

void SaveSettings(SettingsStore &store, const Settings &settings)
{
    if (!store.openKey(kSettingsKey, true))
        return;
    try {
        writeProgramKey(store, settings);
    } catch (...) {
        store.closeKey();
        throw;
    }
    store.closeKey();
}
