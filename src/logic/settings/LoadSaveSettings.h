#pragma once

#include "logic/settings/Settings.h"

class SettingsStore;

// The program's key and the companion field-note editor's key below the user's root.
inline const QString kSettingsKey = QStringLiteral("\\Software\\Brask\\Quarvel\\1.0");
inline const QString kKarteKey = QStringLiteral("\\Software\\Brask\\Quarvel\\1.0\\Karte");
inline const QString kSkrivoEditorKey = QStringLiteral("\\Software\\Brask\\SkrivoEditor\\1.0");

// Reads the settings in their fixed order. A missing key leaves every value as it is. A value
// that cannot be read ends the reading there: the key is closed, the values read so far stay in
// `settings`, and the error (QuarvelError) is thrown on to the caller, who shows it after
// applying what was read. The companion editor's key is read last, so it is skipped then too.
void LoadSettings(SettingsStore &store, Settings &settings);

// The map window's key is read last of the program's values; a value missing there or of
// another type keeps its default, so it never stops the reading.
//
// Writes all values in their fixed order, every program slot included. A key that cannot be
// opened writes nothing; the store's reason, when it gives one, is thrown on. A failed write
// stops at that value and is thrown on after the key was closed.
void SaveSettings(SettingsStore &store, const Settings &settings);
