#pragma once

// The final coordinate of a formula sheet, in the notation of the variable coordinates:
// outside brackets a letter stands for the digits of its value, a bracket ("(B+2)" or
// "[B+2]") for the digits of what it computes, and a letter standing alone between blanks is
// the hemisphere. The values come from the sheet; what it cannot give is left for the variable
// coordinates to try.

#include "logic/formula/FormulaSheet.h"

#include <QMap>

namespace Formula {

struct SheetCoordinate
{
    // The coordinate with everything put in; empty while letters are unknown or on an error.
    QString text;
    // Letters (and names in brackets) the sheet has no entry for, in order of appearance.
    QStringList unknown;
    // Why a known value cannot be put in (not whole, negative, failed), German; else empty.
    QString error;
    // The formula for the variable coordinates: every letter and bracket the sheet knows put in,
    // square brackets written round.
    QString reduced;
    // Whole values of the sheet's letters that remain inside brackets of `reduced`.
    QMap<QChar, QString> letterValues;
};

SheetCoordinate renderSheetCoordinate(const QString &formula, const FormulaSheet &sheet);

} // namespace Formula
