// The GIF walker: the screen descriptor, then extension and image blocks up to the trailer. A
// frame's delay comes from the graphic control extension before it, in hundredths of a second.
#include "image/ByteReading.h"
#include "image/ImageStructure.h"
#include "image/VisibleText.h"

namespace ImageAnalysis {
namespace {

using namespace Bytes;

// Delays are kept for this many frames; more are counted only.
constexpr int kMaxDelays = 100000;

class GifWalker
{
public:
    explicit GifWalker(QByteArrayView file)
        : m_file(file)
    {
        m_result.format = QStringLiteral("GIF");
        m_result.bilder = 0;
    }

    ImageStructure walk()
    {
        if (m_file.size() < 13) {
            m_result.probleme << QStringLiteral("GIF: Der Kopf ist unvollständig");
            m_result.bilder = 1;
            return std::move(m_result);
        }
        m_result.breite = int(le16(m_file, 6));
        m_result.hoehe = int(le16(m_file, 8));
        m_result.groesstesBild = qint64(m_result.breite) * m_result.hoehe;
        const int packed = u8(m_file, 10);
        m_result.farbtiefe = (packed & 7) + 1;
        qint64 pos = 13 + ((packed & 0x80) ? 3 * (qint64(2) << (packed & 7)) : 0);
        while (pos < m_file.size()) {
            const int block = u8(m_file, pos);
            if (block == 0x3B) {
                m_result.ende = pos + 1;
                break;
            }
            const qint64 next = block == 0x21 ? extension(pos) : block == 0x2C ? image(pos) : -1;
            if (next < 0) {
                m_result.probleme << QStringLiteral("GIF: Der Block bei Offset %1 ist "
                                                    "unvollständig oder unbekannt; der Rest ist "
                                                    "nicht gelesen")
                                         .arg(pos);
                break;
            }
            pos = next;
        }
        if (!m_result.ende)
            m_result.probleme << QStringLiteral("GIF: Das Schlusszeichen fehlt; die Datei ist "
                                                "abgeschnitten oder beschädigt");
        m_result.bilder = qMax(1, m_result.bilder);
        if (m_result.bildDauernMs.size() == 1 && m_result.bildDauernMs.first() == 0)
            m_result.bildDauernMs.clear(); // a still picture has no delay worth naming
        return std::move(m_result);
    }

private:
    // The offset after a chain of sub-blocks starting at `pos`, their bytes in `content` when
    // given; -1 when the chain runs past the file's end.
    qint64 subBlocks(qint64 pos, QByteArray *content) const
    {
        while (pos < m_file.size()) {
            const int length = u8(m_file, pos);
            if (length == 0)
                return pos + 1;
            if (!fits(m_file, pos + 1, length))
                return -1;
            if (content)
                content->append(m_file.sliced(pos + 1, length));
            pos += 1 + length;
        }
        return -1;
    }

    qint64 extension(qint64 pos)
    {
        if (!fits(m_file, pos, 3))
            return -1;
        const int label = u8(m_file, pos + 1);
        if (label == 0xF9 && fits(m_file, pos + 2, 6) && u8(m_file, pos + 2) >= 4)
            m_pendingDelay = int(le16(m_file, pos + 4)) * 10;
        if (label == 0xFE) {
            QByteArray comment;
            const qint64 next = subBlocks(pos + 2, &comment);
            if (next >= 0)
                m_result.texte << TextBlock {QStringLiteral("Kommentar"),
                                             QStringLiteral("GIF-Kommentar"),
                                             decodeFieldText(comment)};
            return next;
        }
        if (label == 0xFF && fits(m_file, pos + 2, 12) &&
            m_file.sliced(pos + 3, 11) == "XMP DataXMP")
            return xmp(pos + 14);
        return subBlocks(pos + 2, nullptr);
    }

    // XMP in a GIF is written raw, its length bytes being part of the packet, and ends with a
    // 258-byte "magic trailer" that makes the sub-block chain end.
    qint64 xmp(qint64 start)
    {
        const qint64 next = subBlocks(start, nullptr);
        if (next < 0)
            return next;
        QByteArrayView packet = m_file.sliced(start, next - start);
        const qint64 end = packet.indexOf("<?xpacket end=");
        if (end >= 0) {
            const qint64 close = packet.indexOf("?>", end);
            packet = packet.first(close < 0 ? packet.size() : close + 2);
        }
        m_result.xmp << packet.toByteArray();
        return next;
    }

    qint64 image(qint64 pos)
    {
        if (!fits(m_file, pos, 11))
            return -1;
        const qint64 width = le16(m_file, pos + 5), height = le16(m_file, pos + 7);
        m_result.groesstesBild = qMax(m_result.groesstesBild, width * height);
        const int packed = u8(m_file, pos + 9);
        const qint64 table = (packed & 0x80) ? 3 * (qint64(2) << (packed & 7)) : 0;
        ++m_result.bilder;
        if (m_result.bildDauernMs.size() < kMaxDelays)
            m_result.bildDauernMs << m_pendingDelay;
        m_pendingDelay = 0;
        const qint64 start = pos + 10 + table + 1;
        const qint64 next = subBlocks(start, nullptr);
        if (next > start)
            m_result.bilddaten << std::pair(start, next - start);
        return next;
    }

    QByteArrayView m_file;
    ImageStructure m_result;
    int m_pendingDelay = 0;
};

} // namespace

ImageStructure readGifStructure(QByteArrayView file)
{
    return GifWalker(file).walk();
}

} // namespace ImageAnalysis
