#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QTimer;

// The splash window shown while the program's windows are created. It stays until at least
// 3000 ms after its creation and until start-up says all windows exist; then it deletes itself.
class TfrmSplash : public QWidget
{
public:
    explicit TfrmSplash(const QString &lokaleVersion, QWidget *parent = nullptr);

    bool InitializationDone() const { return m_initializationDone; }
    // Stores the value and asks the window to close.
    void setInitializationDone(bool done);

    // A close request is refused while the minimum time runs or the windows are not all made.
    static bool closeAllowed(bool minTimingRunning, bool initializationDone)
    {
        return !minTimingRunning && initializationDone;
    }

    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *lblMeldung = nullptr;
    QTimer *tmrMinTiming = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void tmrMinTimingTimer();

    bool m_initializationDone = false;
};
