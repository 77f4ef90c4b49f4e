#pragma once

// The functions behind the formula calculator's table (SheetFunctions.cpp); internal.

#include "logic/formula/SheetFunctions.h"

namespace Formula::SheetImpl {

enum class Angle { Sin, Cos, Tan, ArcSin, ArcCos, ArcTan };

SheetNumber nthRoot(const SheetNumber &x, long n, const QString &name);
SheetNumber angle(const SheetNumber &x, Angle which);
// Natural logarithm without a base, otherwise the logarithm to that base.
SheetNumber logarithm(const SheetNumber &x, const SheetNumber *base);

SheetNumber wurzel(const SheetArguments &a);
SheetNumber nwurzel(const SheetArguments &a);
SheetNumber runden(const SheetArguments &a);
SheetNumber abrunden(const SheetArguments &a);
SheetNumber aufrunden(const SheetArguments &a);
SheetNumber betrag(const SheetArguments &a);
SheetNumber minimum(const SheetArguments &a);
SheetNumber maximum(const SheetArguments &a);
SheetNumber mod(const SheetArguments &a);
SheetNumber ggt(const SheetArguments &a);
SheetNumber kgv(const SheetArguments &a);
SheetNumber fakultaet(const SheetArguments &a);

} // namespace Formula::SheetImpl
