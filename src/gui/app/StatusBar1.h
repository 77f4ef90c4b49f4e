#pragma once

#include <QColor>
#include <QStatusBar>

#include <functional>

class QDateTime;
struct Globals;

// The status bar with three owner-drawn panels of widths 200, 270 and 50.
class StatusBar1 : public QStatusBar
{
public:
    using DrawPanel = std::function<void(QPainter &, int, const QRect &)>;

    StatusBar1(DrawPanel drawPanel, QWidget *parent);

    static constexpr int kPanelWidths[3] = {200, 270, 50};
    QRect panelRect(int panel) const;

    QString panelText(int panel) const { return m_texts[panel]; }
    void setPanelText(int panel, const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DrawPanel m_drawPanel;
    QString m_texts[3];
};

// What panel 1 shows for the verdict of the last update check.
struct StatusVerdict
{
    QString text; // empty: nothing is drawn
    QColor colour;
};
StatusVerdict statusVerdict(const Globals &globals);

// Panel 0: a blank, the date and the time ("08.12.2025 14:03:07").
QString statusClockText(const QDateTime &now);
