#include "gui/app/StatusBar1.h"

#include "gui/support/DesignSize.h"
#include "logic/common/Global_Unit.h"
#include "logic/update/VersionCheck.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QPainter>
#include <QStyleOption>

StatusBar1::StatusBar1(DrawPanel drawPanel, QWidget *parent)
    : QStatusBar(parent)
    , m_drawPanel(std::move(drawPanel))
{
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(false);
    setMinimumHeight(fontMetrics().height() + 6);
}

QRect StatusBar1::panelRect(int panel) const
{
    const auto widthOf = [this](int i) {
        const int designed = DesignSize::px(this, kPanelWidths[i]);
        if (i != 1)
            return designed;
        // The verdict panel fits its longest text, which is drawn in bold after the indent;
        // scaled down from 120 dpi the designed width no longer does.
        QFont bold = font();
        bold.setBold(true);
        const int needed = QFontMetrics(bold).horizontalAdvance(
                               QString::fromUtf16(VersionCheck::NichtEingerichtet)) +
            DesignSize::px(this, 10) + 6;
        return std::max(designed, needed);
    };
    int left = 0;
    for (int i = 0; i < panel; ++i)
        left += widthOf(i);
    const int width = panel == 2 ? std::max(widthOf(2), this->width() - left) : widthOf(panel);
    return QRect(left, 2, width, height() - 2);
}

void StatusBar1::setPanelText(int panel, const QString &text)
{
    m_texts[panel] = text;
    update(panelRect(panel));
}

void StatusBar1::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    for (int panel = 0; panel < 3; ++panel) {
        const QRect r = panelRect(panel);
        painter.setPen(palette().mid().color());
        painter.drawRect(r.adjusted(0, 0, -2, -1));
        painter.save();
        painter.setFont(font());
        m_drawPanel(painter, panel, r);
        painter.restore();
    }
}

StatusVerdict statusVerdict(const Globals &globals)
{
    if (!VersionCheck::serverConfigured(globals.UpdateServer))
        return {QString::fromUtf16(VersionCheck::NichtEingerichtet), QColor(128, 128, 128)};
    const QString &word = globals.VersionsVergleich;
    if (word == u"gleich")
        return {QStringLiteral("Version %1 ist aktuell !").arg(globals.LokaleVersion),
                QColor(0, 128, 0)};
    if (word == u"größer")
        return {QStringLiteral("Version %1 ist verfügbar !").arg(globals.ServerVersion),
                QColor(255, 0, 0)};
    if (word == u"kleiner")
        return {QStringLiteral("Diese Version %1 ist neuer !").arg(globals.LokaleVersion),
                QColor(255, 128, 64)};
    if (word == u"NIL")
        return {QStringLiteral("Keine Verbindung zum Server !"), QColor(255, 0, 0)};
    return {};
}

QString statusClockText(const QDateTime &now)
{
    // The program speaks German: short date and long time as a German desktop writes them.
    return u' ' + now.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}
