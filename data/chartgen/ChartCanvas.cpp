#include "ChartCanvas.h"

namespace Chart {

QImage blank(int height, bool transparent)
{
    QImage image(kWidth, height,
                 transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(transparent ? QColor(Qt::transparent) : QColor(Qt::white));
    return image;
}

namespace {

QFont face(const QString &family, int pixelSize, bool bold)
{
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

} // namespace

QFont font(int pixelSize, bool bold)
{
    return face(QStringLiteral("DejaVu Sans"), pixelSize, bold);
}

QFont serifFont(int pixelSize, bool bold)
{
    return face(QStringLiteral("DejaVu Serif"), pixelSize, bold);
}

void begin(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(kInk);
}

int drawTitle(QPainter &p, const QString &title, const QString &subtitle)
{
    p.save();
    p.setFont(serifFont(24, true));
    p.setPen(kTitle);
    p.drawText(QRect(kMargin, 6, kWidth - 2 * kMargin, 32), Qt::AlignLeft | Qt::AlignVCenter,
               title);
    p.setPen(QPen(kTitle, 2));
    p.drawLine(kMargin, 40, kWidth - kMargin, 40);
    int y = 44;
    if (!subtitle.isEmpty()) {
        p.setFont(font(11));
        p.setPen(kMuted);
        const QRect box(kMargin, y, kWidth - 2 * kMargin, 30);
        const QRect used = p.boundingRect(box, Qt::TextWordWrap, subtitle);
        p.drawText(box, Qt::TextWordWrap, subtitle);
        y = used.bottom() + 1;
    }
    p.restore();
    return y + 8;
}

void drawCentred(QPainter &p, const QRectF &box, const QString &text, const QFont &f,
                 const QColor &colour)
{
    p.save();
    p.setFont(f);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
    p.restore();
}

} // namespace Chart
