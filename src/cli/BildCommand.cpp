// The picture subcommand: the analysis report of each file, or the text in its low bits.
#include "cli/CommandTable.h"
#include "cli/FileArguments.h"
#include "image/ImageReport.h"
#include "image/LsbExtraction.h"
#include "image/PictureFile.h"
#include "logic/common/QuarvelError.h"
#include "logic/map/MapShapes.h"

#include <QJsonObject>
#include <QLocale>

namespace Cli {
namespace {

using namespace ImageAnalysis;

Field textLine(const QString &label, const QString &text)
{
    return Field {QStringLiteral("zeile"), label, {}, text, Field::Show::TextOnly};
}

Field jsonOnly(const QString &key, const QJsonValue &value)
{
    return Field {key, {}, value, {}, Field::Show::JsonOnly};
}

QString decimal(double value, int digits)
{
    return QLocale(QLocale::German).toString(value, 'f', digits);
}

QJsonValue gpsJson(const std::optional<GpsPosition> &gps)
{
    if (!gps)
        return QJsonValue::Null;
    return QJsonObject {{QStringLiteral("breite"), gps->breite},
                        {QStringLiteral("laenge"), gps->laenge},
                        {QStringLiteral("hoehe"),
                         gps->hoehe ? QJsonValue(*gps->hoehe) : QJsonValue(QJsonValue::Null)}};
}

QJsonValue appendixJson(const std::optional<Appendix> &appendix)
{
    if (!appendix)
        return QJsonValue::Null;
    return QJsonObject {
        {QStringLiteral("offset"), appendix->offset},
        {QStringLiteral("laenge"), appendix->laenge},
        {QStringLiteral("signaturen"), QJsonArray::fromStringList(appendix->signaturen)},
        {QStringLiteral("text"), appendix->text}};
}

Result jsonResult(const QString &path, const Report &report)
{
    QJsonArray fields, codes;
    for (const MetadataField &f : report.metadaten)
        fields.append(QJsonObject {{QStringLiteral("gruppe"), f.gruppe},
                                   {QStringLiteral("feld"), f.feld},
                                   {QStringLiteral("wert"), f.wert}});
    for (const DecodedCode &code : report.codes)
        codes.append(QJsonObject {{QStringLiteral("format"), code.format},
                                  {QStringLiteral("text"), code.text}});
    Result result;
    result.fields = {jsonOnly(QStringLiteral("datei"), path),
                     jsonOnly(QStringLiteral("format"), report.format),
                     jsonOnly(QStringLiteral("breite"), report.breite),
                     jsonOnly(QStringLiteral("hoehe"), report.hoehe),
                     jsonOnly(QStringLiteral("bilder"), report.bilder),
                     jsonOnly(QStringLiteral("metadaten"), fields),
                     jsonOnly(QStringLiteral("gps"), gpsJson(report.gps)),
                     jsonOnly(QStringLiteral("vorschaubilder"), int(report.vorschaubilder.size())),
                     jsonOnly(QStringLiteral("anhang"), appendixJson(report.anhang)),
                     jsonOnly(QStringLiteral("codes"), codes)};
    return result;
}

QString frameLine(const Report &report)
{
    QString line = QString::number(report.bilder);
    if (report.bildDauernMs.isEmpty())
        return line;
    QStringList delays;
    for (const int ms : report.bildDauernMs)
        delays << QString::number(ms);
    return line + QStringLiteral(" (Dauer in ms: %1)").arg(delays.join(QStringLiteral(", ")));
}

void addTextLines(Result &result, const Report &report)
{
    for (const MetadataField &f : report.metadaten)
        result.fields.push_back(textLine(f.gruppe + u' ' + f.feld, f.wert));
    if (report.gps) {
        QString position = Map::positionInNotation({report.gps->breite, report.gps->laenge}, 1);
        if (report.gps->hoehe)
            position += QStringLiteral(", Höhe %1 m").arg(decimal(*report.gps->hoehe, 1));
        result.fields.push_back(textLine(QStringLiteral("GPS"), position));
    }
    for (const Thumbnail &t : report.vorschaubilder)
        result.fields.push_back(
            textLine(QStringLiteral("Vorschaubild"),
                     QStringLiteral("%1, %2 × %3%4")
                         .arg(t.quelle)
                         .arg(t.bild.width())
                         .arg(t.bild.height())
                         .arg(t.weichtAb ? QStringLiteral(", weicht vom Bild ab") : QString())));
    if (report.anhang) {
        const Appendix &a = *report.anhang;
        result.fields.push_back(
            textLine(QStringLiteral("Anhang"),
                     QStringLiteral("ab Offset %1, %2 Bytes%3")
                         .arg(a.offset)
                         .arg(a.laenge)
                         .arg(a.signaturen.isEmpty() ? QString()
                                                     : QStringLiteral(", Signaturen: ") +
                                      a.signaturen.join(QStringLiteral(", ")))));
        if (!a.text.isEmpty())
            result.fields.push_back(textLine(QStringLiteral("Text des Anhangs"), a.text));
    }
    for (const DecodedCode &code : report.codes)
        result.fields.push_back(textLine(QStringLiteral("Code ") + code.format, code.text));
    for (const QString &problem : report.probleme)
        result.fields.push_back(textLine(QStringLiteral("Hinweis"), problem));
}

Result textResult(const QString &path, const Report &report)
{
    Result result;
    result.linePerField = true;
    result.fields.push_back(textLine(QStringLiteral("Datei"), path));
    result.fields.push_back(
        textLine(QStringLiteral("Format"),
                 QStringLiteral("%1, %2 × %3 Bildpunkte%4")
                     .arg(report.format)
                     .arg(report.breite)
                     .arg(report.hoehe)
                     .arg(report.farbtiefe > 0 ? QStringLiteral(", %1 Bit").arg(report.farbtiefe)
                                               : QString())));
    result.fields.push_back(textLine(QStringLiteral("Bilder"), frameLine(report)));
    addTextLines(result, report);
    return result;
}

LsbOptions lsbOptions(const Options &options)
{
    LsbOptions lsb;
    lsb.kanaele = options.value(QStringLiteral("lsb")).toUpper();
    const QString bit = options.value(QStringLiteral("bit"), QStringLiteral("0"));
    bool ok = false;
    lsb.bit = bit.toInt(&ok);
    if (!ok || lsb.bit < 0 || lsb.bit > 7)
        throw UsageError {QStringLiteral("%1: Die Bitebene muss eine Zahl von 0 bis 7 sein, nicht "
                                         "„%2“")
                              .arg(options.spelling(QStringLiteral("bit")), bit)};
    for (const QChar letter : lsb.kanaele) {
        if (!QStringLiteral("RGBA").contains(letter))
            throw UsageError {QStringLiteral("%1: „%2“ ist kein Kanal; möglich sind R, G, B und A")
                                  .arg(options.spelling(QStringLiteral("lsb")),
                                       options.value(QStringLiteral("lsb")))};
    }
    if (lsb.kanaele.isEmpty())
        throw UsageError {QStringLiteral("%1: Bitte die Kanäle angeben, z. B. RGB")
                              .arg(options.spelling(QStringLiteral("lsb")))};
    lsb.hoechstesBitZuerst = !options.has(QStringLiteral("niedrigstes-zuerst"));
    lsb.spaltenweise = options.has(QStringLiteral("spalten"));
    return lsb;
}

void reportFile(const QString &path, const Options &options, ResultSink &sink)
{
    const QByteArray bytes = readPictureFile(path);
    if (options.has(QStringLiteral("lsb"))) {
        const QString text = lsbText(extractLsb(decodePicture(bytes), lsbOptions(options)));
        Result result;
        result.fields = {jsonOnly(QStringLiteral("datei"), path),
                         Field {QStringLiteral("lsb"), {}, text, text}};
        sink.report(result);
        return;
    }
    ImageAnalysis::Options analysis;
    analysis.codesSuchen = !options.has(QStringLiteral("ohne-codes"));
    const Report report = analyse(bytes, analysis);
    if (sink.json()) {
        sink.report(jsonResult(path, report));
        for (const QString &problem : report.probleme)
            sink.warn(path + QStringLiteral(": ") + problem);
    } else {
        sink.report(textResult(path, report));
    }
}

Handler bildHandler(const Options &options)
{
    if (options.has(QStringLiteral("lsb")))
        lsbOptions(options); // a wrong value is a usage error before any file is read
    return [options](const QString &input, ResultSink &sink) {
        QStringList failures;
        for (const QString &path : fileNames(input)) {
            try {
                reportFile(path, options, sink);
            } catch (const QuarvelError &error) {
                failures << error.message();
            }
        }
        if (!failures.isEmpty())
            throw QuarvelError(failures.join(u'\n'));
    };
}

} // namespace

Command bildCommand()
{
    return Command {
        {QStringLiteral("bild"), QStringLiteral("image")},
        QStringLiteral(
            "Was ein Rätselbild verbirgt: Metadaten, GPS, Vorschaubilder, Anhang, Codes"),
        QStringLiteral("[--lsb KANAELE] DATEI ..."),
        QStringLiteral(
            "Untersucht Bilddateien (JPEG, PNG, GIF, WebP, BMP …) und gibt je Datei aus: Format,\n"
            "Größe, Farbtiefe, Zahl der Einzelbilder mit ihrer Dauer, jedes Metadatenfeld (EXIF\n"
            "aller Verzeichnisse, XMP, IPTC, Kommentare, PNG-Texte; Steuerzeichen und ein\n"
            "führendes NUL sichtbar als ␀), die GPS-Position, die Vorschaubilder und ob sie vom\n"
            "Bild abweichen, Daten nach dem Bildende (Anhang: Offset, Länge, Signaturen wie zip,\n"
            "rar, 7z, pdf, png, jpeg, gif, gzip und sein Text) und gefundene QR-, Data-Matrix-,\n"
            "Aztec-, PDF417- und Strichcodes. Mit --json je Datei ein Objekt mit datei, format,\n"
            "breite, hoehe, bilder, metadaten (gruppe, feld, wert), gps (breite, laenge, hoehe\n"
            "oder null), vorschaubilder (Anzahl), anhang (offset, laenge, signaturen, text oder\n"
            "null) und codes (format, text); Hinweise zu beschädigten Teilen stehen dann auf der\n"
            "Fehlerausgabe. --lsb KANAELE gibt stattdessen den Text in den niedrigsten Bits der\n"
            "Kanäle aus (z. B. RGB: je Bildpunkt erst Rot, dann Grün, dann Blau, zeilenweise,\n"
            "acht Bits je Zeichen, das erste Bit als höchstes); nicht druckbare Zeichen werden\n"
            "sichtbar. Dateien über 256 MB und Bilder über 100 Megapixel werden abgelehnt.\n"
            "Ohne DATEI: ein Dateiname je Zeile der Standardeingabe.\n\n"
            "Beispiel: quarvel-cli bild --json rätsel.jpg\n"
            "Beispiel: quarvel-cli bild --lsb RGB versteck.png"),
        {{{QStringLiteral("--lsb")},
          QStringLiteral("lsb"),
          QStringLiteral("KANAELE"),
          QStringLiteral("Text aus den niedrigsten Bits dieser Kanäle (R, G, B, A) ausgeben")},
         {{QStringLiteral("--bit")},
          QStringLiteral("bit"),
          QStringLiteral("N"),
          QStringLiteral("mit --lsb: die Bitebene 0 (niedrigste, Vorgabe) bis 7")},
         {{QStringLiteral("--spalten")},
          QStringLiteral("spalten"),
          {},
          QStringLiteral("mit --lsb: spaltenweise von oben nach unten lesen")},
         {{QStringLiteral("--niedrigstes-zuerst")},
          QStringLiteral("niedrigstes-zuerst"),
          {},
          QStringLiteral("mit --lsb: das erste gelesene Bit ist das niedrigste eines Zeichens")},
         {{QStringLiteral("--ohne-codes")},
          QStringLiteral("ohne-codes"),
          {},
          QStringLiteral("keine QR- und Strichcodes suchen (schneller)")}},
        InputKind::Line,
        bildHandler};
}

} // namespace Cli
