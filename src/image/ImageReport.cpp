// The report: the file's structure is walked first (size, frames, end, metadata blocks), so a
// picture too large to decode is refused before a pixel is read; the pixels are decoded only
// where thumbnails are compared or codes searched, and then at the size that is needed.
#include "image/ImageReport.h"

#include "image/CodeSearch.h"
#include "image/FileScan.h"
#include "image/ImageStructure.h"
#include "image/MetadataReaders.h"
#include "image/ThumbnailCompare.h"
#include "image/VisibleText.h"
#include "logic/common/QuarvelError.h"

#include <QBuffer>
#include <QImageReader>
#include <QLocale>

#include <cmath>

namespace ImageAnalysis {
namespace {

// The main picture is compared with its thumbnails at this size at most; codes are searched at
// full size up to this many pixels, larger pictures scaled down to it.
constexpr int kComparisonSide = 512;
constexpr qint64 kMaxCodePixels = 40'000'000;
constexpr qsizetype kMaxSignatures = 10000;

QString number(qint64 value)
{
    return QLocale(QLocale::German).toString(value);
}

void refuseOversized(qint64 fileBytes)
{
    if (fileBytes > kMaxFileBytes)
        throw QuarvelError(QStringLiteral("Die Datei ist %1 Bytes groß; untersucht werden Dateien "
                                          "bis 256 MB")
                               .arg(number(fileBytes)));
}

void refuseTooManyPixels(qint64 width, qint64 height, qint64 claimed)
{
    if (width * height > kMaxPixels)
        throw QuarvelError(QStringLiteral("Das Bild hat %1 × %2 Bildpunkte; untersucht werden "
                                          "Bilder bis 100 Megapixel")
                               .arg(number(width), number(height)));
    if (claimed > kMaxPixels)
        throw QuarvelError(QStringLiteral("Ein Einzelbild der Datei hat %1 Bildpunkte; untersucht "
                                          "werden Bilder bis 100 Megapixel")
                               .arg(number(claimed)));
}

// The picture decoded to fit within `limit` pixels, or a null image with the reason.
QImage decode(const QByteArray &bytes, qint64 limit, QSize fitInto, QString *reason)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid()) {
        QSize target = size;
        if (qint64(size.width()) * size.height() > limit) {
            const double factor =
                std::sqrt(double(limit) / (double(size.width()) * double(size.height())));
            target =
                QSize(qMax(1, int(size.width() * factor)), qMax(1, int(size.height() * factor)));
        }
        if (fitInto.isValid())
            target = target.scaled(fitInto.boundedTo(target), Qt::KeepAspectRatio);
        if (target != size)
            reader.setScaledSize(target);
    }
    QImage image = reader.read();
    if (image.isNull())
        *reason = QStringLiteral("Die Bildpunkte sind nicht lesbar; die Bilddaten sind "
                                 "beschädigt oder das Format wird nicht unterstützt");
    return image;
}

class ReportBuilder
{
public:
    ReportBuilder(const QByteArray &bytes, const Options &options)
        : m_bytes(bytes)
        , m_options(options)
    {
    }

    Report build()
    {
        refuseOversized(m_bytes.size());
        ImageStructure structure = readStructure(m_bytes);
        takeHeader(structure);
        refuseTooManyPixels(m_report.breite, m_report.hoehe, structure.groesstesBild);
        for (const TextBlock &block : structure.texte)
            m_report.metadaten << MetadataField {block.gruppe, block.feld, block.wert};
        readMetadata(structure);
        m_report.probleme << structure.probleme;
        for (MetadataField &field : m_report.metadaten)
            field.wert = makeVisible(field.wert);
        if (structure.ende)
            m_report.anhang = describeAppendix(m_bytes, *structure.ende);
        scanBytes(structure.bilddaten);
        decodeWhereNeeded(structure.vorschaubilder);
        return std::move(m_report);
    }

private:
    // Size, depth and frames from the walker where it knows the format, from Qt's reader (which
    // reads only the header for this) otherwise.
    void takeHeader(const ImageStructure &structure)
    {
        QBuffer buffer;
        buffer.setData(m_bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        m_report.format = structure.format;
        m_report.breite = structure.breite;
        m_report.hoehe = structure.hoehe;
        m_report.farbtiefe = structure.farbtiefe;
        m_report.bilder = structure.bilder;
        m_report.bildDauernMs = structure.bildDauernMs;
        if (!structure.format.isEmpty())
            return;
        if (m_bytes.isEmpty() || !reader.canRead()) {
            m_report.format = QStringLiteral("unbekannt");
            m_report.probleme << (m_bytes.isEmpty()
                                      ? QStringLiteral("Die Datei ist leer")
                                      : QStringLiteral("Die Datei ist kein Bild in einem "
                                                       "bekannten Format"));
            return;
        }
        m_report.format = QString::fromLatin1(reader.format()).toUpper();
        m_report.breite = reader.size().width();
        m_report.hoehe = reader.size().height();
        m_report.farbtiefe = QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel();
        m_report.bilder = qMax(1, reader.imageCount());
    }

    void take(MetadataContent &&content)
    {
        m_report.metadaten << content.felder;
        m_report.probleme << content.probleme;
        m_thumbnails << content.vorschaubilder;
        if (!m_report.gps)
            m_report.gps = content.gps; // EXIF first: it is read first
    }

    void readMetadata(ImageStructure &structure)
    {
        for (const QByteArray &block : std::as_const(structure.exif))
            take(readExif(block));
        for (const QByteArray &packet : std::as_const(structure.xmp))
            take(readXmp(packet));
        for (const QByteArray &resources : std::as_const(structure.photoshop))
            take(readPhotoshopResources(resources));
    }

    // Text is looked for between the compressed pixel data.
    QList<FoundText> textOutsidePixels(const QList<std::pair<qint64, qint64>> &pixels,
                                       bool *truncated)
    {
        QList<FoundText> found;
        TextRunOptions options;
        qint64 from = 0;
        *truncated = false;
        const auto scan = [&](qint64 to) {
            if (to <= from)
                return;
            bool cut = false;
            for (FoundText &t :
                 findTextRuns(QByteArrayView(m_bytes).sliced(from, to - from), options, &cut)) {
                t.offset += from;
                found << std::move(t);
            }
            options.maxRuns = qMax<qsizetype>(0, TextRunOptions().maxRuns - found.size());
            *truncated = *truncated || cut;
        };
        for (const auto &[offset, length] : pixels) {
            scan(qMin<qint64>(offset, m_bytes.size()));
            from = qMax(from, qMin<qint64>(offset + length, m_bytes.size()));
        }
        scan(m_bytes.size());
        return found;
    }

    void scanBytes(const QList<std::pair<qint64, qint64>> &pixels)
    {
        bool truncated = false;
        const QList<EmbeddedSignature> all = findSignatures(m_bytes, 0, kMaxSignatures, &truncated);
        for (const EmbeddedSignature &signature : all) {
            if (signature.offset > 0) // the picture's own signature is no finding
                m_report.signaturen << signature;
        }
        if (truncated)
            m_report.probleme << QStringLiteral("Mehr als %1 Dateisignaturen; gezeigt sind die "
                                                "ersten")
                                     .arg(number(kMaxSignatures));
        m_report.texte = textOutsidePixels(pixels, &truncated);
        if (truncated)
            m_report.probleme << QStringLiteral("Die Datei enthält mehr Text, als gezeigt wird; "
                                                "gezeigt sind die ersten Fundstellen");
    }

    void decodeWhereNeeded(QList<RawThumbnail> thumbnails)
    {
        thumbnails += m_thumbnails; // those of the file's header first, as they stand in it
        if (m_report.format == u"unbekannt")
            return;
        QString reason;
        QImage small;
        if (!thumbnails.isEmpty())
            small = decode(m_bytes, kMaxPixels, QSize(kComparisonSide, kComparisonSide), &reason);
        for (const RawThumbnail &raw : std::as_const(thumbnails))
            addThumbnail(raw, small);
        if (m_options.codesSuchen) {
            const QImage full = decode(m_bytes, kMaxCodePixels, QSize(), &reason);
            m_report.codes = findCodes(full);
        }
        if (!reason.isEmpty())
            m_report.probleme << reason;
    }

    void addThumbnail(const RawThumbnail &raw, const QImage &picture)
    {
        QImage image = raw.decoded;
        if (image.isNull()) {
            QString reason;
            const QByteArray bytes = raw.encoded;
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer);
            const QSize size = reader.size();
            if (size.isValid() && qint64(size.width()) * size.height() <= kMaxPixels)
                image = reader.read();
        }
        if (image.isNull()) {
            m_report.probleme
                << QStringLiteral("Das Vorschaubild aus %1 ist nicht lesbar").arg(raw.quelle);
            return;
        }
        m_report.vorschaubilder << Thumbnail {raw.quelle, image, thumbnailDiffers(image, picture)};
    }

    const QByteArray &m_bytes;
    const Options &m_options;
    Report m_report;
    QList<RawThumbnail> m_thumbnails;
};

} // namespace

Report analyse(const QByteArray &fileBytes, const Options &options)
{
    return ReportBuilder(fileBytes, options).build();
}

} // namespace ImageAnalysis
