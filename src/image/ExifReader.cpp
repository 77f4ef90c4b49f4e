// EXIF through libexif: every entry of every directory, without the library's corrections, so
// what the file holds is what the user sees.
#include "image/GpsCoordinates.h"
#include "image/MetadataReaders.h"
#include "image/VisibleText.h"

#include <libexif/exif-data.h>
#include <libexif/exif-log.h>
#include <libexif/exif-utils.h>

#include <QStringDecoder>

#include <array>
#include <cstdarg>
#include <memory>

namespace ImageAnalysis {
namespace {

// libexif's own text of a value: long enough for any array a directory entry can hold in the
// 64 KB of a JPEG segment.
constexpr int kValueBuffer = 64 * 1024;

constexpr ExifTag kXpFirst = ExifTag(0x9C9B); // XPTitle .. XPSubject: UTF-16LE in IFD0
constexpr ExifTag kXpLast = ExifTag(0x9C9F);

struct ExifDataDeleter
{
    void operator()(ExifData *data) const { exif_data_unref(data); }
};
struct ExifLogDeleter
{
    void operator()(ExifLog *log) const { exif_log_unref(log); }
};

QString directoryName(int ifd)
{
    static const std::array<const char *, EXIF_IFD_COUNT> names = {"IFD0", "IFD1", "Exif", "GPS",
                                                                   "Interop"};
    return QString::fromLatin1(names[size_t(ifd)]);
}

QByteArrayView withoutTrailingNuls(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && bytes.back() == '\0')
        bytes.chop(1);
    return bytes;
}

QString utf16Text(QByteArrayView bytes, bool bigEndian)
{
    QStringDecoder decoder(bigEndian ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE);
    QString text = decoder.decode(bytes);
    while (text.endsWith(QChar(0)))
        text.chop(1);
    return text;
}

// Text values are taken from the raw bytes: libexif's own text stops at the first NUL, and a
// value that starts with one would look empty.
QString entryText(ExifEntry *entry, ExifByteOrder order)
{
    const QByteArrayView raw(reinterpret_cast<const char *>(entry->data), qsizetype(entry->size));
    if (entry->format == EXIF_FORMAT_ASCII)
        return decodeFieldText(withoutTrailingNuls(raw));
    if (entry->tag == EXIF_TAG_USER_COMMENT && raw.size() >= 8) {
        const QByteArrayView code = raw.first(8), body = raw.sliced(8);
        if (code.startsWith("UNICODE"))
            return utf16Text(body, order == EXIF_BYTE_ORDER_MOTOROLA);
        return decodeFieldText(withoutTrailingNuls(body));
    }
    if (entry->tag >= kXpFirst && entry->tag <= kXpLast && entry->format == EXIF_FORMAT_BYTE)
        return utf16Text(raw, false);
    QByteArray buffer(kValueBuffer, '\0');
    exif_entry_get_value(entry, buffer.data(), uint(buffer.size()));
    const QString text = QString::fromUtf8(buffer.constData()).trimmed();
    // libexif names a value its tables lack as an internal error; the value itself is the news.
    static const QString unknown = QStringLiteral("Internal error (unknown value ");
    if (text.startsWith(unknown) && text.endsWith(u')'))
        return text.sliced(unknown.size()).chopped(1);
    return text;
}

std::optional<std::array<Rational, 3>> rationals(ExifEntry *entry, ExifByteOrder order)
{
    if (!entry || entry->format != EXIF_FORMAT_RATIONAL || entry->components < 3 ||
        entry->size < 24)
        return std::nullopt;
    std::array<Rational, 3> parts;
    for (size_t i = 0; i < 3; ++i) {
        const ExifRational r = exif_get_rational(entry->data + 8 * i, order);
        parts[i] = Rational {r.numerator, r.denominator};
    }
    return parts;
}

QString refLetter(ExifEntry *entry)
{
    if (!entry || entry->size == 0)
        return {};
    return QString(QChar::fromLatin1(char(entry->data[0])));
}

void readGps(ExifData *data, ExifByteOrder order, MetadataContent &content)
{
    ExifContent *gps = data->ifd[EXIF_IFD_GPS];
    const auto entry = [gps](int tag) { return exif_content_get_entry(gps, ExifTag(tag)); };
    const auto latParts = rationals(entry(EXIF_TAG_GPS_LATITUDE), order);
    const auto lonParts = rationals(entry(EXIF_TAG_GPS_LONGITUDE), order);
    if (!latParts && !lonParts)
        return;
    const auto lat = latParts
        ? degreesFromRationals(*latParts, refLetter(entry(EXIF_TAG_GPS_LATITUDE_REF)), 90)
        : std::nullopt;
    const auto lon = lonParts
        ? degreesFromRationals(*lonParts, refLetter(entry(EXIF_TAG_GPS_LONGITUDE_REF)), 180)
        : std::nullopt;
    if (!lat || !lon) {
        content.probleme << QStringLiteral("EXIF: Die GPS-Position ist unvollständig oder "
                                           "ungültig (Breite, Länge oder Halbkugel)");
        return;
    }
    GpsPosition position {*lat, *lon, std::nullopt};
    ExifEntry *altitude = entry(EXIF_TAG_GPS_ALTITUDE);
    if (altitude && altitude->format == EXIF_FORMAT_RATIONAL && altitude->size >= 8) {
        const ExifRational r = exif_get_rational(altitude->data, order);
        ExifEntry *ref = entry(EXIF_TAG_GPS_ALTITUDE_REF);
        const bool below = ref && ref->size > 0 && ref->data[0] == 1;
        if (r.denominator != 0)
            position.hoehe = (below ? -1.0 : 1.0) * double(r.numerator) / double(r.denominator);
    }
    content.gps = position;
}

void noteCorruption(ExifLog *, ExifLogCode code, const char *, const char *, va_list, void *data)
{
    if (code == EXIF_LOG_CODE_CORRUPT_DATA)
        *static_cast<bool *>(data) = true;
}

} // namespace

MetadataContent readExif(QByteArrayView block)
{
    MetadataContent content;
    std::unique_ptr<ExifData, ExifDataDeleter> data(exif_data_new());
    std::unique_ptr<ExifLog, ExifLogDeleter> log(exif_log_new());
    if (!data || !log)
        return content;
    bool corrupt = false;
    exif_log_set_func(log.get(), noteCorruption, &corrupt);
    exif_data_log(data.get(), log.get());
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_set_option(data.get(), EXIF_DATA_OPTION_DONT_CHANGE_MAKER_NOTE);
    exif_data_load_data(data.get(), reinterpret_cast<const unsigned char *>(block.data()),
                        uint(qMin<qsizetype>(block.size(), 0xFFFFFFF)));
    const ExifByteOrder order = exif_data_get_byte_order(data.get());
    for (int ifd = 0; ifd < EXIF_IFD_COUNT; ++ifd) {
        ExifContent *directory = data->ifd[ifd];
        for (unsigned int i = 0; directory && i < directory->count; ++i) {
            ExifEntry *entry = directory->entries[i];
            const char *name = exif_tag_get_name_in_ifd(entry->tag, ExifIfd(ifd));
            const QString tag = name
                ? QString::fromLatin1(name)
                : QStringLiteral("0x%1").arg(int(entry->tag), 4, 16, QLatin1Char('0'));
            content.felder << MetadataField {
                QStringLiteral("EXIF"), directoryName(ifd) + u'.' + tag, entryText(entry, order)};
        }
    }
    readGps(data.get(), order, content);
    if (data->data && data->size > 0)
        content.vorschaubilder << RawThumbnail {
            QStringLiteral("EXIF IFD1"),
            QByteArray(reinterpret_cast<const char *>(data->data), qsizetype(data->size)),
            {}};
    if (corrupt || content.felder.isEmpty())
        content.probleme << QStringLiteral("EXIF: Der Block ist beschädigt; gezeigt ist, was "
                                           "lesbar war");
    return content;
}

} // namespace ImageAnalysis
