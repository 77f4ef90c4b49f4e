#include "image/ImageFrames.h"

#include "image/ImageDecode.h"

#include <QBuffer>
#include <QImageReader>

namespace ImageAnalysis {

Frames readFrames(const QByteArray &fileBytes, qint64 maxPixels)
{
    // The first frame goes through every check of a single picture.
    Frames frames;
    decodeImage(fileBytes);
    QBuffer buffer;
    buffer.setData(fileBytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    qint64 pixels = 0;
    const int announced = reader.imageCount();
    while (true) {
        if (frames.bilder.size() >= kMaxFrames) {
            frames.problem =
                QStringLiteral("Nur die ersten %1 Einzelbilder werden gezeigt.").arg(kMaxFrames);
            break;
        }
        const auto overBudget = [&](qint64 framePixels) {
            if (pixels + framePixels <= maxPixels)
                return false;
            frames.problem = QStringLiteral("Die Einzelbilder ab Nummer %1 werden nicht gezeigt: "
                                            "zusammen hätten sie über %2 Megapixel.")
                                 .arg(frames.bilder.size() + 1)
                                 .arg(maxPixels / 1'000'000);
            return true;
        };
        const QSize size = reader.size();
        if (overBudget(size.isValid() ? qint64(size.width()) * size.height() : 0))
            break;
        QImage image;
        if (!reader.read(&image)) {
            // The reader says "no more frames" with an error too; only a frame the file announced
            // and that could not be read is a problem.
            if (frames.bilder.isEmpty() || (announced > 0 && frames.bilder.size() < announced)) {
                frames.problem = QStringLiteral("Einzelbild %1 ist beschädigt (%2).")
                                     .arg(frames.bilder.size() + 1)
                                     .arg(reader.errorString());
            }
            break;
        }
        // A frame may come out larger than the size announced before it (a GIF frame drawn on
        // its whole canvas), so the budget is checked again on what was read.
        if (overBudget(qint64(image.width()) * image.height()))
            break;
        pixels += qint64(image.width()) * image.height();
        frames.bilder.append({asArgb32(image), qMax(0, reader.nextImageDelay())});
        if (announced > 0 && frames.bilder.size() >= announced)
            break;
    }
    return frames;
}

} // namespace ImageAnalysis
