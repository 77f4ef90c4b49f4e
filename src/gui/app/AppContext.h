#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class Dialogs;
class Downloader;
class Launcher;
class SettingsStore;
struct Globals;

// One of the program's windows besides the main window. It is built when it is first wanted:
// building all of them at start took far more time than the main window itself, for windows
// most sessions never open. Tests hand in a window they built.
class SecondaryWindow
{
public:
    SecondaryWindow &operator=(QWidget *window)
    {
        m_window = window;
        return *this;
    }

    // How the window is built when first wanted.
    void setMaker(std::function<QWidget *()> make) { m_make = std::move(make); }

    // The window, built now if need be; none when there is neither a window nor a maker.
    QWidget *get()
    {
        if (!m_window && m_make)
            m_window = m_make();
        return m_window;
    }

    // The window only if it was built already.
    QWidget *existing() const { return m_window; }
    bool available() const { return m_window || m_make; }

private:
    QPointer<QWidget> m_window;
    std::function<QWidget *()> m_make;
};

// The windows that the main window's actions show, in the fixed order of old. An action stays
// disabled while its window can be neither found nor built.
struct SecondaryWindows
{
    SecondaryWindow info; // TfrmInfo
    SecondaryWindow einstellungen; // TfrmEinstellungen
    SecondaryWindow misc; // TfrmMisc, the 26-shift listing
    SecondaryWindow cacher; // TfrmCacher
    SecondaryWindow updDL; // TfrmUpdDL, shown modally
    SecondaryWindow sudoku; // TfrmSudoku
    SecondaryWindow fermilab; // TfrmFermilab
    SecondaryWindow koordRechner; // TfrmKoordRechner, the coordinate calculator
    SecondaryWindow variableKoordinaten; // TfrmVariableKoordinaten
    SecondaryWindow karte; // TfrmKarte, the map
    SecondaryWindow codeKnacker; // TfrmCodeKnacker, the code breaker
    SecondaryWindow formelrechner; // TfrmFormelrechner, named values and formulas
    SecondaryWindow bildanalyse; // TfrmBildanalyse, the picture analysis
    SecondaryWindow symbole; // TfrmSymbole, the symbol decoder
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
