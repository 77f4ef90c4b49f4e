// The subcommand of the symbol tables: the list of tables, a text written as a strip of glyphs,
// and a whole table as a chart, both as PNG pictures. Drawing needs a QGuiApplication, which
// main() creates (on the offscreen platform) for this subcommand only.

#include "cli/CommandTable.h"
#include "logic/common/QuarvelError.h"
#include "logic/common/SafeWrite.h"
#include "symbols/SymbolTable.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

namespace Cli {
namespace {

const QString kTable = QStringLiteral("tabelle");
const QString kList = QStringLiteral("liste");
const QString kPng = QStringLiteral("png");
const QString kChart = QStringLiteral("tafel");
const QString kHeight = QStringLiteral("hoehe");

// Glyph heights in pixels: below 16 a glyph is not readable, above 400 a chart of a large table
// grows past 100 megapixels.
constexpr int kMinHeight = 16;
constexpr int kMaxHeight = 400;
constexpr int kDefaultHeight = 64;

using SymbolTables::Table;

void reportList(ResultSink &sink)
{
    Result result;
    result.linePerField = true;
    QJsonArray list;
    qsizetype width = 0;
    for (const Table &table : SymbolTables::all())
        width = std::max(width, table.name.size() + 1);
    for (const Table &table : SymbolTables::all()) {
        list.append(QJsonObject {{QStringLiteral("name"), table.name},
                                 {QStringLiteral("titel"), table.titel},
                                 {QStringLiteral("zeichen"), int(table.glyphen.size())},
                                 {QStringLiteral("quelle"), table.quelle},
                                 {QStringLiteral("lizenz"), table.lizenz}});
        result.fields.push_back(Field {table.name,
                                       {},
                                       {},
                                       QStringLiteral("%1%2 (%3 Zeichen; %4)")
                                           .arg(table.name.leftJustified(width), table.titel)
                                           .arg(table.glyphen.size())
                                           .arg(table.lizenz),
                                       Field::Show::TextOnly});
    }
    result.fields.push_back(
        Field {QStringLiteral("tabellen"), {}, list, {}, Field::Show::JsonOnly});
    sink.report(result);
}

// One table: its title, source, licence and every meaning in order.
void reportTable(const Table &table, ResultSink &sink)
{
    QStringList meanings;
    QJsonArray json;
    for (const SymbolTables::Glyph &glyph : table.glyphen) {
        meanings.append(glyph.zeichen);
        json.append(glyph.zeichen);
    }
    Result result;
    result.linePerField = true;
    result.fields = {field(QStringLiteral("name"), {}, table.name),
                     field(QStringLiteral("titel"), QStringLiteral("Titel"), table.titel),
                     field(QStringLiteral("quelle"), QStringLiteral("Quelle"), table.quelle),
                     field(QStringLiteral("lizenz"), QStringLiteral("Lizenz"), table.lizenz),
                     Field {QStringLiteral("zeichen"), QStringLiteral("Zeichen"), json,
                            meanings.join(QStringLiteral(" | "))}};
    sink.report(result);
}

const Table &chosenTable(const Options &options)
{
    const QString name = options.value(kTable);
    if (name.isEmpty())
        throw UsageError {QStringLiteral("Keine Tafel angegeben: quarvel-cli symbole TABELLE "
                                         "…; die Namen zeigt quarvel-cli symbole --liste")};
    const Table *table = SymbolTables::find(name);
    if (!table)
        throw UsageError {
            QStringLiteral("Unbekannte Tafel „%1“; die Namen zeigt quarvel-cli symbole --liste")
                .arg(name)};
    return *table;
}

int chosenHeight(const Options &options)
{
    if (!options.has(kHeight))
        return kDefaultHeight;
    bool ok = false;
    const int height = options.value(kHeight).toInt(&ok);
    if (!ok || height < kMinHeight || height > kMaxHeight)
        throw UsageError {QStringLiteral("%1 erwartet eine Zeichenhöhe von %2 bis %3 Pixeln, "
                                         "nicht „%4“")
                              .arg(options.spelling(kHeight))
                              .arg(kMinHeight)
                              .arg(kMaxHeight)
                              .arg(options.value(kHeight))};
    return height;
}

QString requiredPath(const Options &options, const QString &key)
{
    const QString path = options.value(key);
    if (path.isEmpty())
        throw UsageError {QStringLiteral("%1 braucht einen Dateinamen").arg(options.spelling(key))};
    return path;
}

// Fonts are drawn only under a QGuiApplication; in-process callers without one get a reason.
void requireGui()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        throw QuarvelError(QStringLiteral("Symbole lassen sich hier nicht zeichnen: es läuft "
                                          "keine grafische Qt-Anwendung."));
}

void savePicture(const QImage &image, const QString &path, const Table &table, int glyphs,
                 ResultSink &sink)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        throw QuarvelError(
            QStringLiteral("Das Bild der Tafel „%1“ ließ sich nicht als PNG kodieren.")
                .arg(table.titel));
    const QString failure = writeFileSafely(
        path, [&png](QIODevice &device) { return device.write(png) == png.size(); });
    if (!failure.isEmpty())
        throw QuarvelError(failure);
    Result result;
    result.fields = {field(QStringLiteral("datei"), QStringLiteral("Gespeichert"), path),
                     field(QStringLiteral("tabelle"), QStringLiteral("Tafel"), table.name),
                     field(QStringLiteral("zeichen"), QStringLiteral("Zeichen"), glyphs),
                     field(QStringLiteral("breite"), QStringLiteral("Breite"), image.width()),
                     field(QStringLiteral("hoehe"), QStringLiteral("Höhe"), image.height())};
    sink.report(result);
}

Handler symboleHandler(const Options &options)
{
    if (options.has(kList) && !options.has(kTable))
        return [](const QString &, ResultSink &sink) { reportList(sink); };
    const Table &table = chosenTable(options);
    if (options.has(kList))
        return [&table](const QString &, ResultSink &sink) { reportTable(table, sink); };
    const int height = chosenHeight(options);
    if (options.has(kChart) && options.has(kPng))
        throw UsageError {QStringLiteral("--tafel und --png schließen sich aus")};
    if (options.has(kChart)) {
        const QString path = requiredPath(options, kChart);
        return [&table, path, height](const QString &, ResultSink &sink) {
            requireGui();
            SymbolTables::requireFont(table);
            savePicture(SymbolTables::renderChart(table, height), path, table,
                        int(table.glyphen.size()), sink);
        };
    }
    if (!options.has(kPng))
        throw UsageError {QStringLiteral("Wohin mit dem Bild? quarvel-cli symbole TABELLE TEXT "
                                         "--png DATEI oder TABELLE --tafel DATEI")};
    const QString path = requiredPath(options, kPng);
    return [&table, path, height](const QString &input, ResultSink &sink) {
        if (input.trimmed().isEmpty())
            throw QuarvelError(
                QStringLiteral("Kein Text für die Tafel „%1“ angegeben.").arg(table.titel));
        const QList<int> glyphs = SymbolTables::glyphsFor(table, input);
        requireGui();
        SymbolTables::requireFont(table);
        if (SymbolTables::stripSize(table, glyphs, height).width() > SymbolTables::kMaxPictureWidth)
            throw QuarvelError(QStringLiteral("Der Text ist für ein Bild zu lang: die Symbolfolge "
                                              "wäre breiter als %1 Pixel.")
                                   .arg(SymbolTables::kMaxPictureWidth));
        const int count =
            int(std::count_if(glyphs.begin(), glyphs.end(), [](int glyph) { return glyph >= 0; }));
        savePicture(SymbolTables::renderStrip(table, glyphs, height), path, table, count, sink);
    };
}

} // namespace

Command symboleCommand()
{
    Command command {
        {QStringLiteral("symbole"), QStringLiteral("symbols")},
        QStringLiteral("Symboltafeln: Runen, Braille, Winker, Freimaurer, … als PNG-Bild"),
        QStringLiteral("--liste [TABELLE]  |  TABELLE TEXT --png DATEI  |  TABELLE --tafel DATEI"),
        QStringLiteral(
            "Zeigt die Symboltafeln (--liste; mit TABELLE deren Zeichen, Quelle und Lizenz),\n"
            "schreibt einen Text als Folge der Symbole einer Tafel in ein PNG-Bild (--png) oder\n"
            "die ganze Tafel mit der Bedeutung unter jedem Symbol (--tafel). Groß- und\n"
            "Kleinschreibung zählen nicht; ein Leerzeichen gibt eine Lücke. Ein Zeichen, das die\n"
            "Tafel nicht kennt, gibt die Meldung und den Rückgabewert 1.\n\n"
            "Beispiele: quarvel-cli symbole --liste\n"
            "           quarvel-cli symbole winker 'HALLO WELT' --png gruss.png\n"
            "           quarvel-cli symbole futhark --tafel runen.png --hoehe 96"),
        {{{QStringLiteral("--liste")}, kList, {}, QStringLiteral("alle Tafeln mit Namen")},
         {{QStringLiteral("--png")},
          kPng,
          QStringLiteral("DATEI"),
          QStringLiteral("den Text als Symbolfolge in diese PNG-Datei schreiben")},
         {{QStringLiteral("--tafel")},
          kChart,
          QStringLiteral("DATEI"),
          QStringLiteral("die ganze Tafel in diese PNG-Datei schreiben")},
         {{QStringLiteral("--hoehe")},
          kHeight,
          QStringLiteral("N"),
          QStringLiteral("Höhe eines Symbols in Pixeln, 16–400 (Vorgabe 64)")}},
        InputKind::Line,
        symboleHandler};
    command.operand = kTable;
    command.readsNoInput = [](const Options &options) {
        return options.has(kList) || options.has(kChart);
    };
    return command;
}

} // namespace Cli
