#include "logic/settings/LoadSaveSettings.h"

#include "logic/common/QuarvelError.h"
#include "logic/settings/SettingsStore.h"

#include <algorithm>
#include <cmath>

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

// A value of the map's key, or nothing when it is missing or of another type.
std::optional<int> tolerantInteger(SettingsStore &store, const QString &name)
{
    try {
        return store.readInteger(name);
    } catch (const QuarvelError &) {
        return std::nullopt;
    }
}

void readKarteKey(SettingsStore &store, KartenSettings &k)
{
    auto text = [&](const QString &name, QString &value) {
        try {
            const QString read = store.readString(name);
            if (!read.isEmpty())
                value = read;
        } catch (const QuarvelError &) {
        }
    };
    auto number = [&](const QString &name, double &value, double limit) {
        QString read;
        text(name, read);
        bool ok = false;
        const double v = read.toDouble(&ok);
        if (ok && std::abs(v) <= limit)
            value = v;
    };
    text(QStringLiteral("Kacheladresse"), k.Kacheladresse);
    k.KachelCacheMB = std::clamp(
        tolerantInteger(store, QStringLiteral("KachelCacheMB")).value_or(k.KachelCacheMB), 1,
        100000);
    k.Zoom = std::clamp(tolerantInteger(store, QStringLiteral("Zoom")).value_or(k.Zoom), 0, 19);
    number(QStringLiteral("Breite"), k.Breite, 85.0);
    number(QStringLiteral("Laenge"), k.Laenge, 180.0);
    k.Notation =
        std::clamp(tolerantInteger(store, QStringLiteral("Notation")).value_or(k.Notation), 0, 2);
    k.Left = tolerantInteger(store, QStringLiteral("Left"));
    k.Top = tolerantInteger(store, QStringLiteral("Top"));
    k.Width = tolerantInteger(store, QStringLiteral("Width"));
    k.Height = tolerantInteger(store, QStringLiteral("Height"));
}

void writeKarteKey(SettingsStore &store, const KartenSettings &k)
{
    store.writeString(QStringLiteral("Kacheladresse"), k.Kacheladresse);
    store.writeInteger(QStringLiteral("KachelCacheMB"), k.KachelCacheMB);
    store.writeInteger(QStringLiteral("Zoom"), k.Zoom);
    // Texts with a decimal point: the store keeps 32-bit integers only.
    store.writeString(QStringLiteral("Breite"), QString::number(k.Breite, 'f', 7));
    store.writeString(QStringLiteral("Laenge"), QString::number(k.Laenge, 'f', 7));
    store.writeInteger(QStringLiteral("Notation"), k.Notation);
    if (k.Left && k.Top && k.Width && k.Height) {
        store.writeInteger(QStringLiteral("Left"), *k.Left);
        store.writeInteger(QStringLiteral("Top"), *k.Top);
        store.writeInteger(QStringLiteral("Width"), *k.Width);
        store.writeInteger(QStringLiteral("Height"), *k.Height);
    }
}

} // namespace

void LoadSettings(SettingsStore &store, Settings &settings)
{
    if (store.openKey(kSettingsKey, false)) {
        OpenKey open(store);
        readProgramKey(store, settings);
    }
    if (store.openKey(kKarteKey, false)) {
        OpenKey open(store);
        readKarteKey(store, settings.Karte);
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
    if (!store.openKey(kKarteKey, true))
        return;
    try {
        writeKarteKey(store, settings.Karte);
    } catch (...) {
        store.closeKey();
        throw;
    }
    store.closeKey();
}
