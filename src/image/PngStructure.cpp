// The PNG walker: chunk by chunk from the signature to IEND, each chunk's checksum checked.
#include "image/ByteReading.h"
#include "image/ImageStructure.h"
#include "image/Inflate.h"
#include "image/VisibleText.h"

#include <zlib.h>

namespace ImageAnalysis {
namespace {

using namespace Bytes;

// A compressed text is unpacked up to this size; all texts of a file together up to four times
// as much. Enough for any comment, and a chunk that unpacks to gigabytes costs no more.
constexpr qint64 kMaxTextBytes = 16 * 1024 * 1024;
constexpr qint64 kMaxAllTextBytes = 4 * kMaxTextBytes;

int channels(int colourType)
{
    switch (colourType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1; // grey and palette
    }
}

class PngWalker
{
public:
    explicit PngWalker(QByteArrayView file)
        : m_file(file)
    {
        m_result.format = QStringLiteral("PNG");
    }

    ImageStructure walk()
    {
        qint64 pos = 8;
        while (pos < m_file.size()) {
            if (!fits(m_file, pos, 12) || be32(m_file, pos) > 0x7FFFFFFFu ||
                !fits(m_file, pos + 8, qint64(be32(m_file, pos)) + 4)) {
                m_result.probleme << QStringLiteral("PNG: Der Block bei Offset %1 reicht über "
                                                    "das Dateiende hinaus")
                                         .arg(pos);
                break;
            }
            const qint64 length = be32(m_file, pos);
            const QByteArrayView type = m_file.sliced(pos + 4, 4);
            const QByteArrayView data = m_file.sliced(pos + 8, length);
            const quint32 stored = be32(m_file, pos + 8 + length);
            const quint32 computed =
                quint32(crc32(0, reinterpret_cast<const Bytef *>(type.data()), uInt(length + 4)));
            const QString name = QString::fromLatin1(type.data(), 4);
            if (stored != computed)
                m_result.probleme << QStringLiteral("PNG: Die Prüfsumme des Blocks „%1“ bei "
                                                    "Offset %2 stimmt nicht")
                                         .arg(makeVisible(name))
                                         .arg(pos);
            if (type == "IDAT" || type == "fdAT")
                m_result.bilddaten << std::pair(pos + 8, length);
            chunk(type, data, pos);
            pos += 12 + length;
            if (type == "IEND") {
                m_result.ende = pos;
                break;
            }
        }
        if (!m_result.ende)
            m_result.probleme << QStringLiteral("PNG: Der Schlussblock IEND fehlt; die Datei ist "
                                                "abgeschnitten oder beschädigt");
        if (m_result.bildDauernMs.size() > m_result.bilder)
            m_result.bildDauernMs.resize(m_result.bilder);
        return std::move(m_result);
    }

private:
    void chunk(QByteArrayView type, QByteArrayView data, qint64 offset)
    {
        if (type == "IHDR" && data.size() >= 10) {
            m_result.breite = int(qMin<quint32>(be32(data, 0), 0x7FFFFFFF));
            m_result.hoehe = int(qMin<quint32>(be32(data, 4), 0x7FFFFFFF));
            m_result.farbtiefe = u8(data, 8) * channels(u8(data, 9));
            m_result.groesstesBild = qint64(m_result.breite) * m_result.hoehe;
        } else if (type == "tEXt") {
            const qint64 nul = data.indexOf('\0');
            if (nul >= 0)
                addText(QStringLiteral("tEXt"), data.first(nul),
                        QString::fromLatin1(data.sliced(nul + 1)));
            else
                bad(QStringLiteral("tEXt"), offset);
        } else if (type == "zTXt") {
            zText(data, offset);
        } else if (type == "iTXt") {
            iText(data, offset);
        } else if (type == "eXIf") {
            m_result.exif << QByteArray("Exif\0\0", 6) + data.toByteArray();
        } else if (type == "acTL" && data.size() >= 8) {
            m_result.format = QStringLiteral("APNG");
            // A count of 0 breaks the format's rule; the picture still shows its default image.
            m_result.bilder = int(qBound<quint32>(1, be32(data, 0), 0x7FFFFFFF));
        } else if (type == "fcTL" && data.size() >= 26) {
            frameControl(data);
        }
    }

    void frameControl(QByteArrayView data)
    {
        m_result.groesstesBild =
            qMax(m_result.groesstesBild, qint64(be32(data, 4)) * qint64(be32(data, 8)));
        const int numerator = int(be16(data, 20));
        const int denominator = int(be16(data, 22)) == 0 ? 100 : int(be16(data, 22));
        if (m_result.bildDauernMs.size() < m_result.bilder)
            m_result.bildDauernMs << numerator * 1000 / denominator;
    }

    void zText(QByteArrayView data, qint64 offset)
    {
        const qint64 nul = data.indexOf('\0');
        if (nul < 0 || nul + 2 > data.size()) {
            bad(QStringLiteral("zTXt"), offset);
            return;
        }
        const std::optional<QByteArray> text = unpack(data.sliced(nul + 2), offset);
        if (text)
            addText(QStringLiteral("zTXt"), data.first(nul), QString::fromLatin1(*text));
    }

    void iText(QByteArrayView data, qint64 offset)
    {
        const qint64 nul = data.indexOf('\0');
        if (nul < 0 || nul + 3 > data.size()) {
            bad(QStringLiteral("iTXt"), offset);
            return;
        }
        const bool compressed = u8(data, nul + 1) != 0;
        const qint64 languageEnd = data.indexOf('\0', nul + 3);
        const qint64 translatedEnd = languageEnd < 0 ? -1 : data.indexOf('\0', languageEnd + 1);
        if (translatedEnd < 0) {
            bad(QStringLiteral("iTXt"), offset);
            return;
        }
        const QByteArrayView body = data.sliced(translatedEnd + 1);
        const std::optional<QByteArray> text =
            compressed ? unpack(body, offset) : std::optional<QByteArray>(body.toByteArray());
        if (!text)
            return;
        if (data.first(nul) == "XML:com.adobe.xmp")
            m_result.xmp << *text;
        else
            addText(QStringLiteral("iTXt"), data.first(nul), QString::fromUtf8(*text));
    }

    std::optional<QByteArray> unpack(QByteArrayView compressed, qint64 offset)
    {
        bool cut = false;
        const qint64 limit = qMin(kMaxTextBytes, kMaxAllTextBytes - m_unpacked);
        std::optional<QByteArray> text = inflateLimited(compressed, limit, &cut);
        if (!text) {
            m_result.probleme << QStringLiteral("PNG: Der gepackte Text bei Offset %1 ist "
                                                "beschädigt")
                                     .arg(offset);
            return text;
        }
        m_unpacked += text->size();
        if (cut)
            m_result.probleme << QStringLiteral("PNG: Der gepackte Text bei Offset %1 ist "
                                                "entpackt größer als %2 MB; gezeigt ist sein "
                                                "Anfang")
                                     .arg(offset)
                                     .arg(limit / (1024 * 1024));
        return text;
    }

    void addText(const QString &kind, QByteArrayView keyword, const QString &text)
    {
        m_result.texte << TextBlock {QStringLiteral("PNG"),
                                     kind + u' ' + QString::fromLatin1(keyword), text};
    }

    void bad(const QString &kind, qint64 offset)
    {
        m_result.probleme << QStringLiteral("PNG: Der Textblock %1 bei Offset %2 ist beschädigt")
                                 .arg(kind)
                                 .arg(offset);
    }

    QByteArrayView m_file;
    ImageStructure m_result;
    qint64 m_unpacked = 0;
};

} // namespace

ImageStructure readPngStructure(QByteArrayView file)
{
    return PngWalker(file).walk();
}

} // namespace ImageAnalysis
