#pragma once

#include <QString>

#include <array>
#include <optional>

// The map window: where it stands, what it shows, where its tiles come from. Kept in a key of
// its own below the program's, so stores written before the map existed read unchanged.
struct KartenSettings
{
    QString Kacheladresse = QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png");
    int KachelCacheMB = 200; // limit of the tile cache on disk
    int Zoom = 5;
    double Breite = 51.0; // centre of the view
    double Laenge = 10.5;
    int Notation = 1; // of the position under the cursor
    std::optional<int> Left;
    std::optional<int> Top;
    std::optional<int> Width;
    std::optional<int> Height;
};

// Everything the program keeps in the per-user settings store, as held in memory while it runs.
// Values that describe the main window's layout are optional: "not stored" means the window
// keeps its designed geometry.
struct Settings
{
    std::optional<int> Left;
    std::optional<int> Top;
    std::optional<int> Width;
    std::optional<int> Height;
    QString HomeKoordinaten = QStringLiteral("N 0° E 0°");
    bool Update = false;
    bool UpdateSuchen = true;
    bool ROTEingabe = false;
    std::optional<int> NavFensterBreite;
    int HomeFensterHoehe = 145;
    std::array<QString, 9> ExterneProgramme; // slots 1..9 at indexes 0..8; empty = free
    QString Editor = QStringLiteral("Notepad");
    int EditorNr = 0;
    QString extEditor;
    QString GSAK;
    QString GCStatistic;
    QString Datenbank;
    QString SkrivoEditor; // read from the companion editor's own key, never written
    KartenSettings Karte;
};
