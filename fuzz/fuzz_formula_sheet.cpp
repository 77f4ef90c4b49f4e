// The formula calculator on arbitrary input: a sheet file, or lines "name=formula" with the
// final coordinate last. Reading must end in a sheet or a German message; evaluating every
// entry, the coordinate and the sheet's JSON again must never crash, hang or change the sheet.
#include "logic/common/QuarvelError.h"
#include "logic/formula/SheetCoordinate.h"
#include "logic/formula/SheetFile.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

Formula::SheetDocument readLines(const QString &text)
{
    Formula::SheetDocument document;
    QStringList lines = text.split(u'\n');
    document.coordinate = lines.takeLast();
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        document.entries.push_back({line.left(equals), line.mid(equals + 1)});
    }
    return document;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A few short formulas reach every path; a long input only repeats them more slowly.
    if (size > 4096)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Formula::SheetDocument document;
    if (bytes.startsWith('{')) {
        try {
            document = Formula::sheetFromJson(bytes);
        } catch (const QuarvelError &error) {
            if (error.message().isEmpty())
                std::abort();
            return 0;
        }
    } else {
        document = readLines(QString::fromUtf8(bytes));
    }
    if (document.entries.size() > size_t(Formula::kMaxSheetEntries))
        return 0;
    const Formula::FormulaSheet sheet(document.entries);
    for (const auto &result : sheet.results()) {
        if (result.ok) {
            result.value.toText(u',');
            result.value.roundedText();
        }
    }
    const Formula::SheetCoordinate coordinate =
        Formula::renderSheetCoordinate(document.coordinate, sheet);
    if (!coordinate.text.isEmpty() && !coordinate.unknown.isEmpty())
        std::abort();
    if (Formula::sheetFromJson(Formula::sheetToJson(document)) != document)
        std::abort();
    return 0;
}
