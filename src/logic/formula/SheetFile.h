#pragma once

// The formula calculator's sheet as a small JSON file:
//   {"format": "quarvel-formelblatt", "version": 1,
//    "werte": [{"name": "A", "formel": "1987"}, {"name": "C", "formel": "runden(A/7; 2)"}],
//    "koordinate": "N 52° 3A.(C*100)0 E 013° 2B.000"}
// Reading checks every field and names what is wrong in German; unknown keys are ignored, so
// a later version may add some.

#include "logic/formula/FormulaSheet.h"

#include <QByteArray>

namespace Formula {

struct SheetDocument
{
    std::vector<SheetEntry> entries;
    QString coordinate;
    bool operator==(const SheetDocument &other) const = default;
};

// A sheet file is refused above this size: a thousand long formulas fit many times.
constexpr qint64 kMaxSheetFileBytes = 4 * 1024 * 1024;

QByteArray sheetToJson(const SheetDocument &document);
// Throws QuarvelError for anything that is not a sheet of this program.
SheetDocument sheetFromJson(const QByteArray &json);

// Reads `path`; throws QuarvelError naming the file and the reason.
SheetDocument readSheetFile(const QString &path);
// Writes `path` whole or leaves the old file as it was; an empty text on success, otherwise the
// German message with the file and the system's reason.
QString writeSheetFile(const QString &path, const SheetDocument &document);

} // namespace Formula
