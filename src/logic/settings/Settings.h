#pragma once

#include <QString>

#include <array>
#include <optional>

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
};
