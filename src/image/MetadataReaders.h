#pragma once

#include "image/ImageReport.h"
#include "image/ImageStructure.h"

#include <QByteArrayView>

// The readers of the metadata blocks a picture file carries. Each reads only the bytes it is
// given, gives what it could read and names the rest in `probleme`. Values come back as
// decoded text; making control characters visible is left to the report.
namespace ImageAnalysis {

struct MetadataContent
{
    QList<MetadataField> felder;
    std::optional<GpsPosition> gps;
    QList<RawThumbnail> vorschaubilder;
    QStringList probleme;
};

// An EXIF block starting with "Exif\0\0": every entry of every directory (IFD0, Exif, GPS,
// Interop, IFD1) through libexif, the GPS position and the IFD1 thumbnail.
MetadataContent readExif(QByteArrayView block);

// An XMP packet: every property with its path ("dc:title[1]", "exif:GPSLatitude"), the GPS
// position and the embedded previews (xmpGImg:image).
MetadataContent readXmp(QByteArrayView packet);

// Photoshop image resources (8BIM blocks): the IPTC records (IIM) and the Photoshop thumbnail.
MetadataContent readPhotoshopResources(QByteArrayView resources);

// IPTC records (IIM): tag 0x1C, record, dataset, length, value.
MetadataContent readIptc(QByteArrayView records);

} // namespace ImageAnalysis
