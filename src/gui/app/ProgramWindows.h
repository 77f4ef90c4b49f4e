#pragma once

#include <QMap>
#include <QWidget>

#include <memory>
#include <vector>

class TfrmQuarvelMain;
struct AppContext;

// The program's windows: the main window, built at once because it reads the settings every
// later window relies on, and a maker for each of the others in their fixed order, so that a
// window is built when it is first opened. Whatever is built lives until this object goes.
class ProgramWindows
{
public:
    explicit ProgramWindows(AppContext &context);
    ~ProgramWindows();

    TfrmQuarvelMain &mainWindow() { return *m_main; }

private:
    void takeOverIntoVariableKoordinaten(const QString &formula,
                                         const QMap<QChar, QString> &values);
    void openCodeBreaker(const QString &text);

    AppContext &m_context;
    std::unique_ptr<TfrmQuarvelMain> m_main;
    std::vector<std::unique_ptr<QWidget>> m_windows;
};
