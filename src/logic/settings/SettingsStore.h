#pragma once

#include <QString>

// The per-user settings store: keys addressed by path below the user's root (for example
// "\Software\Brask\Quarvel\1.0"), each holding named 32-bit integers and texts. One key is open
// at a time. Reading and writing fail with the German messages the user sees:
//   "Fehler beim Holen der Daten für '<name>'"  an integer that is not there,
//   "Ungültiger Datentyp für '<name>'"          a value of another type than asked for,
//   "Fehler beim Setzen der Daten für '<name>'" a value that cannot be written.
// The interface needs QtCore only, so the settings logic can work against it.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // Opens the key; with `create` a missing key is made. False when the key does not exist
    // (without `create`) or cannot be opened for a reason the user need not know. Throws
    // QuarvelError when the store itself is damaged or cannot be read, or (with `create`) when
    // the changes could not be kept, with a sentence that names the store and the reason.
    virtual bool openKey(const QString &path, bool create) = 0;

    virtual int readInteger(const QString &name) = 0;
    // Empty when the value is missing; an expandable text comes back unexpanded.
    virtual QString readString(const QString &name) = 0;

    virtual void writeInteger(const QString &name, int value) = 0;
    // Always stored as a plain text, also the empty text.
    virtual void writeString(const QString &name, const QString &value) = 0;

    // Closes the open key (nothing happens when none is open). A store that keeps its writes
    // until here throws QuarvelError when it cannot keep them.
    virtual void closeKey() = 0;
};
