#include "gui/app/panels/ChartPicture.h"

#include "logic/common/FileOpenError.h"
#include "logic/common/QuarvelError.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace {

// The decoder to use for a file name: ".jpg" files are JPEG, ".png" files PNG, others by
// their extension as Qt names its formats.
QByteArray formatOf(const QString &path)
{
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (suffix == "jpg" || suffix == "jpe")
        return QByteArrayLiteral("jpeg");
    return suffix;
}

} // namespace

ChartPicture::ChartPicture(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ImageContainer"));
}

void ChartPicture::loadFromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QuarvelError(cannotOpenFileText(path, file.errorString()));
    QImageReader reader(&file, formatOf(path));
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull())
        throw QuarvelError(reader.errorString());
    m_picture = std::move(image);
    update();
}

QSize ChartPicture::drawnSize(QSize picture, QSize control)
{
    const qint64 pw = picture.width(), ph = picture.height();
    const qint64 cw = control.width(), ch = control.height();
    if (pw <= 0 || ph <= 0 || (pw <= cw && ph <= ch))
        return picture;
    qint64 w, h;
    if (pw > ph) {
        w = cw;
        h = cw * ph / pw;
        if (h > ch) {
            h = ch;
            w = ch * pw / ph;
        }
    } else {
        h = ch;
        w = ch * pw / ph;
        if (w > cw) {
            w = cw;
            h = cw * ph / pw;
        }
    }
    return QSize(int(std::max<qint64>(w, 0)), int(std::max<qint64>(h, 0)));
}

void ChartPicture::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), drawnSize(m_picture.size(), size())), m_picture);
}
