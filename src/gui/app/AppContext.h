#pragma once

#include <QPointer>
#include <QWidget>

class Dialogs;
class Downloader;
class Launcher;
class SettingsStore;
struct Globals;

// The windows that start-up creates after the main window, in their fixed order. The main
// window's actions show them; an action stays disabled while its window does not exist.
struct SecondaryWindows
{
    QPointer<QWidget> info; // TfrmInfo
    QPointer<QWidget> einstellungen; // TfrmEinstellungen
    QPointer<QWidget> misc; // TfrmMisc, the 26-shift listing
    QPointer<QWidget> cacher; // TfrmCacher
    QPointer<QWidget> updDL; // TfrmUpdDL, shown modally
    QPointer<QWidget> sudoku; // TfrmSudoku
    QPointer<QWidget> fermilab; // TfrmFermilab
    QPointer<QWidget> koordRechner; // TfrmKoordRechner, the coordinate calculator
    QPointer<QWidget> variableKoordinaten; // TfrmVariableKoordinaten
    QPointer<QWidget> codeKnacker; // TfrmCodeKnacker
};

// What every window is handed at creation: the program-wide values and the services of the
// platform. Tests build one with fakes.
struct AppContext
{
    Globals &globals;
    Dialogs &dialogs;
    Launcher &launcher;
    SecondaryWindows windows;
    SettingsStore *settingsStore =
        nullptr; // the per-user settings store; none: defaults, nothing saved
    Downloader *downloader = nullptr; // HTTP downloads for the update check
};
