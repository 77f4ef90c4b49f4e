#pragma once

#include "logic/settings/Settings.h"

#include <QString>

// The program-wide values: computed once at start-up (paths, version) or shared between the
// windows for the whole run (settings, the last update verdict). One object of this type is
// made in main() and handed to every window that reads it; there are no globals.
struct Globals
{
    // Program folder, ending with "/": where the shipped files are (ProgramFolders).
    QString ExePfad;
    // Folder of the files the user writes by default ("Cacher.dat"), ending with "/".
    QString BenutzerPfad;
    QString TempPfad; // temporary folder, ending with "/"
    QString TempVersionsDatei; // TempPfad + "ver_quarvel.tmp"
    QString LokaleVersion = QStringLiteral("0.0.0.0");
    // Base address of the update server, ending with "/" (a build setting); empty in a build
    // without one, which then checks nothing.
    QString UpdateServer;

    Settings settings;

    // Result word of the last update check: "gleich", "größer", "kleiner", "NIL" or empty.
    QString VersionsVergleich;
    QString ServerVersion;
};
