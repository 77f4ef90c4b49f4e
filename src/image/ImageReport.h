#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Everything a puzzle picture shows or hides, read once from the file's bytes. The command line
// prints it, the Bildanalyse window shows it beside its views.
namespace ImageAnalysis {

struct MetadataField
{
    QString gruppe; // "EXIF", "XMP", "IPTC", "Kommentar" or "PNG"
    QString feld; // the field's name as its standard spells it (with the IFD for EXIF)
    QString wert; // control characters and a leading NUL made visible, never cut off
};

struct GpsPosition
{
    double breite = 0.0; // degrees, south negative
    double laenge = 0.0; // degrees, west negative
    std::optional<double> hoehe; // metres above sea level
};

struct Thumbnail
{
    QString quelle; // where it was found, e.g. "EXIF IFD1"
    QImage bild;
    bool weichtAb = false; // differs visibly from the scaled main picture
};

// Data found after the end of the picture (JPEG EOI, PNG IEND, GIF trailer).
struct Appendix
{
    qint64 offset = 0;
    qint64 laenge = 0;
    QStringList signaturen; // "zip", "rar", "7z", "pdf", "png", "jpeg", "gif", "gzip"
    QString text; // its printable text
};

// A file signature found anywhere inside the file.
struct EmbeddedSignature
{
    qint64 offset = 0;
    QString signatur;
};

struct DecodedCode
{
    QString format; // "QR", "DataMatrix", "Aztec", "PDF417", "Code128", ...
    QString text;
};

struct FoundText
{
    qint64 offset = 0;
    QString kodierung; // "Latin-1" or "UTF-16"
    QString text;
};

struct Report
{
    QString format; // "JPEG", "PNG", "GIF", "WebP", ...
    int breite = 0;
    int hoehe = 0;
    int farbtiefe = 0; // bits per pixel
    int bilder = 1; // frames
    QList<int> bildDauernMs; // one delay per frame of an animation
    QList<MetadataField> metadaten;
    std::optional<GpsPosition> gps;
    QList<Thumbnail> vorschaubilder;
    std::optional<Appendix> anhang;
    QList<EmbeddedSignature> signaturen;
    QList<FoundText> texte;
    QList<DecodedCode> codes;
    QStringList probleme; // what could not be read of a damaged file, in German
};

// The largest file and picture the analysis takes: far above any puzzle picture, and small
// enough to hold the file and its decoded pixels in memory together.
constexpr qint64 kMaxFileBytes = 256 * 1024 * 1024;
constexpr qint64 kMaxPixels = 100'000'000;

struct Options
{
    bool codesSuchen = true; // QR and bar codes: the slowest step
};

// Refuses (QuarvelError, German reason) a file above 256 MB and a picture above 100 megapixels,
// the latter before decoding. A damaged file gives what could be read and names the rest in
// `probleme`.
Report analyse(const QByteArray &fileBytes, const Options &options = {});

} // namespace ImageAnalysis
