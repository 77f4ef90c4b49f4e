#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// What the walk through a picture file's blocks finds before any pixel is decoded: the size the
// header claims, the frames, where the picture ends, and the raw metadata blocks for the readers
// of EXIF, XMP and IPTC. Every walker only reads inside the bytes it is given and names what it
// could not read in `probleme` instead of giving up.
namespace ImageAnalysis {

struct TextBlock
{
    QString gruppe; // "Kommentar" or "PNG"
    QString feld; // "JPEG-Kommentar", "GIF-Kommentar", "tEXt Title", ...
    QString wert; // already decoded, not yet made visible
};

struct RawThumbnail
{
    QString quelle;
    QByteArray encoded; // a complete JPEG, PNG, ... file
    QImage decoded; // for uncompressed thumbnails (JFIF RGB); empty otherwise
};

struct ImageStructure
{
    QString format; // empty when the bytes are no picture format the walkers know
    int breite = 0;
    int hoehe = 0;
    int farbtiefe = 0;
    int bilder = 1;
    QList<int> bildDauernMs;
    // The most pixels any header of the file claims for one picture or frame: what decoding
    // would allocate, known before it starts.
    qint64 groesstesBild = 0;
    // The first byte after the picture's end marker; empty when none was found.
    std::optional<qint64> ende;
    // Where the compressed pixels stand (offset, length): no text hides there that a viewer
    // would not show as broken pixels, and their random bytes would only give noise as text.
    QList<std::pair<qint64, qint64>> bilddaten;
    QList<QByteArray> exif; // TIFF structures, each starting with "Exif\0\0"
    QList<QByteArray> xmp; // XML packets
    QList<QByteArray> photoshop; // Photoshop image resources (8BIM blocks)
    QList<TextBlock> texte;
    QList<RawThumbnail> vorschaubilder;
    QStringList probleme;
};

// One walker per format; `readStructure` picks the walker by the file's first bytes.
ImageStructure readJpegStructure(QByteArrayView file);
ImageStructure readPngStructure(QByteArrayView file);
ImageStructure readGifStructure(QByteArrayView file);
ImageStructure readWebpStructure(QByteArrayView file);
ImageStructure readStructure(QByteArrayView file);

} // namespace ImageAnalysis
