// The JPEG walker: segments from the start marker to the end marker, the entropy-coded data of
// each scan skipped by looking for the next marker.
#include "image/ByteReading.h"
#include "image/ImageStructure.h"
#include "image/VisibleText.h"

#include <QMap>

#include <cstring>

namespace ImageAnalysis {
namespace {

using namespace Bytes;

const QByteArrayView kExif("Exif\0\0", 6);
const QByteArrayView kXmp("http://ns.adobe.com/xap/1.0/\0", 29);
const QByteArrayView kXmpExtension("http://ns.adobe.com/xmp/extension/\0", 35);
const QByteArrayView kPhotoshop("Photoshop 3.0\0", 14);
const QByteArrayView kJfif("JFIF\0", 5);
const QByteArrayView kJfxx("JFXX\0", 5);

// Extended XMP: a packet too large for one segment, sent in parts with the full length and each
// part's offset. The parts of one packet share a GUID.
constexpr qint64 kMaxExtendedXmp = 16 * 1024 * 1024;

struct ExtendedXmp
{
    QByteArray data;
    qint64 received = 0;
};

QImage rgbThumbnail(QByteArrayView rgb, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), rgb.data() + qint64(y) * width * 3, size_t(width) * 3);
    return image;
}

class JpegWalker
{
public:
    explicit JpegWalker(QByteArrayView file)
        : m_file(file)
    {
        m_result.format = QStringLiteral("JPEG");
    }

    ImageStructure walk()
    {
        qint64 pos = 2;
        while (pos < m_file.size()) {
            if (u8(m_file, pos) != 0xFF) {
                m_result.probleme << QStringLiteral("JPEG: Bei Offset %1 steht kein Segment, wo "
                                                    "eines beginnen müsste; der Rest ist nicht "
                                                    "gelesen")
                                         .arg(pos);
                return std::move(m_result);
            }
            while (pos + 1 < m_file.size() && u8(m_file, pos + 1) == 0xFF)
                ++pos; // fill bytes before a marker
            if (pos + 1 >= m_file.size())
                break;
            const int marker = u8(m_file, pos + 1);
            if (marker == 0xD9) {
                m_result.ende = pos + 2;
                break;
            }
            if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
                pos += 2; // markers without a length
                continue;
            }
            if (!fits(m_file, pos + 2, 2) || be16(m_file, pos + 2) < 2 ||
                !fits(m_file, pos + 2, be16(m_file, pos + 2))) {
                m_result.probleme << QStringLiteral("JPEG: Das Segment FF%1 bei Offset %2 reicht "
                                                    "über das Dateiende hinaus")
                                         .arg(QString::number(marker, 16).toUpper())
                                         .arg(pos);
                return finish();
            }
            const qint64 length = be16(m_file, pos + 2);
            segment(marker, m_file.sliced(pos + 4, length - 2), pos);
            pos += 2 + length;
            if (marker == 0xDA) {
                const qint64 scanEnd = afterScan(pos);
                m_result.bilddaten << std::pair(pos, scanEnd - pos);
                pos = scanEnd;
            }
        }
        return finish();
    }

private:
    ImageStructure finish()
    {
        if (!m_result.ende)
            m_result.probleme << QStringLiteral("JPEG: Das Ende des Bildes (EOI) fehlt; die Datei "
                                                "ist abgeschnitten oder beschädigt");
        for (auto it = m_extended.cbegin(); it != m_extended.cend(); ++it) {
            if (it->received < it->data.size())
                m_result.probleme << QStringLiteral("XMP: Vom erweiterten Paket fehlen Teile");
            m_result.xmp << it->data;
        }
        return std::move(m_result);
    }

    // The entropy-coded data ends at the first marker that is neither a stuffed 0xFF00 nor a
    // restart marker.
    qint64 afterScan(qint64 pos) const
    {
        const char *data = m_file.data();
        while (pos + 1 < m_file.size()) {
            const void *ff = std::memchr(data + pos, 0xFF, size_t(m_file.size() - pos - 1));
            if (!ff)
                return m_file.size();
            pos = static_cast<const char *>(ff) - data;
            const int next = u8(m_file, pos + 1);
            if (next != 0x00 && next != 0xFF && !(next >= 0xD0 && next <= 0xD7))
                return pos;
            pos += next == 0xFF ? 1 : 2;
        }
        return m_file.size();
    }

    void segment(int marker, QByteArrayView data, qint64 offset)
    {
        if (marker == 0xE0)
            app0(data, offset);
        else if (marker == 0xE1 && data.startsWith(kExif))
            m_result.exif << data.toByteArray();
        else if (marker == 0xE1 && data.startsWith(kXmp))
            m_result.xmp << data.sliced(kXmp.size()).toByteArray();
        else if (marker == 0xE1 && data.startsWith(kXmpExtension))
            extendedXmp(data.sliced(kXmpExtension.size()));
        else if (marker == 0xED && data.startsWith(kPhotoshop))
            m_result.photoshop << data.sliced(kPhotoshop.size()).toByteArray();
        else if (marker == 0xFE)
            m_result.texte << TextBlock {QStringLiteral("Kommentar"),
                                         QStringLiteral("JPEG-Kommentar"), decodeFieldText(data)};
        else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                 marker != 0xCC)
            frameHeader(data);
    }

    void frameHeader(QByteArrayView data)
    {
        if (m_result.breite != 0 || data.size() < 6)
            return;
        m_result.hoehe = int(be16(data, 1));
        m_result.breite = int(be16(data, 3));
        m_result.farbtiefe = u8(data, 0) * u8(data, 5);
        m_result.groesstesBild = qint64(m_result.breite) * m_result.hoehe;
    }

    void app0(QByteArrayView data, qint64 offset)
    {
        if (data.startsWith(kJfif) && data.size() >= 14) {
            const int w = u8(data, 12), h = u8(data, 13);
            if (w > 0 && h > 0) {
                if (fits(data, 14, qint64(w) * h * 3))
                    m_result.vorschaubilder << RawThumbnail {
                        QStringLiteral("JFIF"), {}, rgbThumbnail(data.sliced(14), w, h)};
                else
                    m_result.probleme << QStringLiteral("JFIF: Das Vorschaubild bei Offset %1 "
                                                        "ist unvollständig")
                                             .arg(offset);
            }
        } else if (data.startsWith(kJfxx) && data.size() >= 6) {
            const int code = u8(data, 5);
            const QByteArrayView rest = data.sliced(6);
            if (code == 0x10)
                m_result.vorschaubilder
                    << RawThumbnail {QStringLiteral("JFXX"), rest.toByteArray(), {}};
            else if (code == 0x13 && rest.size() >= 2 && u8(rest, 0) > 0 && u8(rest, 1) > 0 &&
                     fits(rest, 2, qint64(u8(rest, 0)) * u8(rest, 1) * 3))
                m_result.vorschaubilder
                    << RawThumbnail {QStringLiteral("JFXX"),
                                     {},
                                     rgbThumbnail(rest.sliced(2), u8(rest, 0), u8(rest, 1))};
        }
    }

    void extendedXmp(QByteArrayView data)
    {
        if (data.size() < 40)
            return;
        const QByteArray guid = data.first(32).toByteArray();
        const qint64 full = be32(data, 32), partOffset = be32(data, 36);
        const QByteArrayView part = data.sliced(40);
        ExtendedXmp &packet = m_extended[guid];
        if (full > kMaxExtendedXmp || partOffset + part.size() > full) {
            m_result.probleme << QStringLiteral("XMP: Ein Teil des erweiterten Pakets passt "
                                                "nicht zu dessen Länge");
            return;
        }
        if (packet.data.isEmpty())
            packet.data = QByteArray(full, ' ');
        if (packet.data.size() != full)
            return;
        std::memcpy(packet.data.data() + partOffset, part.data(), size_t(part.size()));
        packet.received += part.size();
    }

    QByteArrayView m_file;
    ImageStructure m_result;
    QMap<QByteArray, ExtendedXmp> m_extended;
};

} // namespace

ImageStructure readJpegStructure(QByteArrayView file)
{
    return JpegWalker(file).walk();
}

} // namespace ImageAnalysis
