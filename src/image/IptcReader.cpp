// IPTC: the records of the IPTC-NAA Information Interchange Model as Photoshop stores them in
// its image resources, and Photoshop's own thumbnail beside them.
#include "image/ByteReading.h"
#include "image/MetadataReaders.h"
#include "image/VisibleText.h"

#include <QHash>

namespace ImageAnalysis {
namespace {

using namespace Bytes;

constexpr quint32 kIptcResource = 0x0404;
constexpr quint32 kThumbnailResource = 0x040C;
constexpr qint64 kThumbnailHeader = 28;

// The names of the datasets of the envelope record (1) and the application record (2).
QString datasetName(int record, int dataset)
{
    static const QHash<int, const char *> names = {
        {0x100, "EnvelopeRecordVersion"},
        {0x105, "Destination"},
        {0x114, "FileFormat"},
        {0x11E, "ServiceIdentifier"},
        {0x128, "EnvelopeNumber"},
        {0x132, "ProductID"},
        {0x146, "DateSent"},
        {0x150, "TimeSent"},
        {0x15A, "CodedCharacterSet"},
        {0x164, "UniqueObjectName"},
        {0x200, "ApplicationRecordVersion"},
        {0x203, "ObjectTypeReference"},
        {0x204, "ObjectAttributeReference"},
        {0x205, "ObjectName"},
        {0x207, "EditStatus"},
        {0x20A, "Urgency"},
        {0x20C, "SubjectReference"},
        {0x20F, "Category"},
        {0x214, "SupplementalCategories"},
        {0x216, "FixtureIdentifier"},
        {0x219, "Keywords"},
        {0x21A, "ContentLocationCode"},
        {0x21B, "ContentLocationName"},
        {0x21E, "ReleaseDate"},
        {0x223, "ReleaseTime"},
        {0x225, "ExpirationDate"},
        {0x226, "ExpirationTime"},
        {0x228, "SpecialInstructions"},
        {0x22A, "ActionAdvised"},
        {0x22D, "ReferenceService"},
        {0x22F, "ReferenceDate"},
        {0x232, "ReferenceNumber"},
        {0x237, "DateCreated"},
        {0x23C, "TimeCreated"},
        {0x23E, "DigitalCreationDate"},
        {0x23F, "DigitalCreationTime"},
        {0x241, "OriginatingProgram"},
        {0x246, "ProgramVersion"},
        {0x24B, "ObjectCycle"},
        {0x250, "By-line"},
        {0x255, "By-lineTitle"},
        {0x25A, "City"},
        {0x25C, "Sub-location"},
        {0x25F, "Province-State"},
        {0x264, "Country-PrimaryLocationCode"},
        {0x265, "Country-PrimaryLocationName"},
        {0x267, "OriginalTransmissionReference"},
        {0x269, "Headline"},
        {0x26E, "Credit"},
        {0x273, "Source"},
        {0x274, "CopyrightNotice"},
        {0x276, "Contact"},
        {0x278, "Caption-Abstract"},
        {0x27A, "Writer-Editor"},
        {0x287, "LanguageIdentifier"},
    };
    const char *name = names.value(record << 8 | dataset, nullptr);
    const QString number =
        QStringLiteral("%1:%2").arg(record).arg(dataset, 3, 10, QLatin1Char('0'));
    return name ? QString::fromLatin1(name) : number;
}

// The two version datasets are binary numbers; every other dataset this reader names is text.
QString datasetValue(int record, int dataset, QByteArrayView value)
{
    if (dataset == 0 && (record == 1 || record == 2) && value.size() == 2)
        return QString::number(be16(value, 0));
    return decodeFieldText(value);
}

} // namespace

MetadataContent readIptc(QByteArrayView records)
{
    MetadataContent content;
    qint64 pos = 0;
    while (pos < records.size()) {
        if (u8(records, pos) != 0x1C) {
            // Writers pad the resource with NULs; anything else is damage.
            if (records.sliced(pos).count('\0') != records.size() - pos)
                content.probleme << QStringLiteral("IPTC: Bei Offset %1 beginnt kein Datensatz; "
                                                   "der Rest ist nicht gelesen")
                                        .arg(pos);
            break;
        }
        if (!fits(records, pos, 5)) {
            content.probleme << QStringLiteral("IPTC: Der letzte Datensatz ist unvollständig");
            break;
        }
        const int record = u8(records, pos + 1), dataset = u8(records, pos + 2);
        qint64 length = be16(records, pos + 3);
        qint64 start = pos + 5;
        if (length & 0x8000) {
            // An extended dataset: the low bits give the count of length bytes that follow.
            const int count = int(length & 0x7FFF);
            if (count > 4 || !fits(records, start, count)) {
                content.probleme << QStringLiteral("IPTC: Die Länge des Datensatzes bei Offset "
                                                   "%1 ist nicht lesbar")
                                        .arg(pos);
                break;
            }
            length = 0;
            for (int i = 0; i < count; ++i)
                length = length << 8 | u8(records, start + i);
            start += count;
        }
        if (!fits(records, start, length)) {
            content.probleme << QStringLiteral("IPTC: Der Datensatz bei Offset %1 reicht über "
                                               "das Ende hinaus")
                                    .arg(pos);
            break;
        }
        content.felder << MetadataField {
            QStringLiteral("IPTC"), datasetName(record, dataset),
            datasetValue(record, dataset, records.sliced(start, length))};
        pos = start + length;
    }
    return content;
}

MetadataContent readPhotoshopResources(QByteArrayView resources)
{
    MetadataContent content;
    qint64 pos = 0;
    while (pos + 12 <= resources.size()) {
        if (resources.sliced(pos, 4) != "8BIM") {
            content.probleme << QStringLiteral("IPTC: Die Photoshop-Ressource bei Offset %1 ist "
                                               "beschädigt; der Rest ist nicht gelesen")
                                    .arg(pos);
            return content;
        }
        const quint32 id = be16(resources, pos + 4);
        const qint64 nameLength = u8(resources, pos + 6);
        const qint64 sizeAt = pos + 6 + ((nameLength + 2) & ~qint64(1)); // padded to even
        if (!fits(resources, sizeAt, 4) || !fits(resources, sizeAt + 4, be32(resources, sizeAt))) {
            content.probleme << QStringLiteral("IPTC: Die Photoshop-Ressource bei Offset %1 "
                                               "reicht über das Ende hinaus")
                                    .arg(pos);
            return content;
        }
        const qint64 size = be32(resources, sizeAt);
        const QByteArrayView data = resources.sliced(sizeAt + 4, size);
        if (id == kIptcResource) {
            MetadataContent iptc = readIptc(data);
            content.felder << iptc.felder;
            content.probleme << iptc.probleme;
        } else if (id == kThumbnailResource && data.size() > kThumbnailHeader) {
            content.vorschaubilder << RawThumbnail {
                QStringLiteral("Photoshop"), data.sliced(kThumbnailHeader).toByteArray(), {}};
        }
        pos = sizeAt + 4 + size + (size & 1);
    }
    return content;
}

} // namespace ImageAnalysis
