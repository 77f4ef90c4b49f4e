// "Hexenschrift" and the dancing men: the rules of both ciphers, and an honest notice instead of
// a table of signs. Their signs must be drawn from a checked original; a table drawn from memory
// would send cachers to wrong coordinates, which is worse than no table.

#include "ChartCanvas.h"

namespace {

QImage pendingChart(const QString &title, const QString &subtitle, const QStringList &rules)
{
    QImage image = Chart::blank(Chart::kMaxHeight);
    QPainter p(&image);
    Chart::begin(p);
    int y = Chart::drawTitle(p, title, subtitle);
    p.setFont(Chart::font(13));
    p.setPen(Chart::kInk);
    for (const QString &rule : rules) {
        const QRect box(Chart::kMargin + 14, y, Chart::kWidth - 2 * Chart::kMargin - 14, 60);
        const QRect used = p.boundingRect(box, Qt::TextWordWrap, rule);
        p.drawText(Chart::kMargin, y + p.fontMetrics().ascent(), QStringLiteral("•"));
        p.drawText(box, Qt::TextWordWrap, rule);
        y = used.bottom() + 8;
    }
    const QRectF notice(Chart::kMargin, y + 16, Chart::kWidth - 2 * Chart::kMargin, 120);
    p.fillRect(notice, Chart::kShade);
    p.setPen(QPen(Chart::kTitle, 2));
    p.drawRect(notice);
    p.setFont(Chart::font(14, true));
    p.drawText(notice.adjusted(14, 10, -14, -10), Qt::TextWordWrap | Qt::AlignCenter,
               QStringLiteral("Die Zeichentafel folgt mit einer der nächsten Versionen.\n"
                              "Sie wird erst ausgeliefert, wenn jedes Zeichen an einer "
                              "geprüften Vorlage kontrolliert ist."));
    return image;
}

} // namespace

QImage drawTheban()
{
    return pendingChart(
        QStringLiteral("Hexenschrift"),
        QStringLiteral("Das thebanische Alphabet (Runen des Honorius)"),
        {QStringLiteral("Jedem lateinischen Buchstaben entspricht genau ein Zeichen."),
         QStringLiteral("J wird wie I geschrieben, U wie V."),
         QStringLiteral("Ein eigenes Schlusszeichen beendet einen Satz."),
         QStringLiteral("Geschrieben wird von links nach rechts, ohne Groß- und "
                        "Kleinbuchstaben.")});
}

QImage drawDancingMen()
{
    return pendingChart(QStringLiteral("Die tanzenden Männchen"),
                        QStringLiteral("Dancing Men, aus der Sherlock-Holmes-Geschichte von "
                                       "Arthur Conan Doyle"),
                        {QStringLiteral("Jedes Männchen steht für einen Buchstaben "
                                        "(einfache Ersetzung)."),
                         QStringLiteral("Ein Männchen, das eine Fahne hält, ist der letzte "
                                        "Buchstabe eines Wortes."),
                         QStringLiteral("Wie im Englischen ist das häufigste Männchen meist "
                                        "das E.")});
}
