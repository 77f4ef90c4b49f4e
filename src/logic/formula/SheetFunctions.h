#pragma once

// The functions and constants of the formula calculator, one table: the evaluator, the help
// and the command line read their names, argument counts and one-line descriptions from here.

#include "logic/formula/SheetNumber.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace Formula {

using SheetArguments = std::vector<SheetNumber>;

struct SheetFunction
{
    QStringList names; // the first is the one the help shows; compared case-insensitively
    int minArguments = 1;
    int maxArguments = 1; // -1: any number
    SheetNumber (*call)(const SheetArguments &arguments) = nullptr;
    QString usage; // "nwurzel(x; n)"
    QString help; // German, one line
};

const std::vector<SheetFunction> &sheetFunctions();
const SheetFunction *findSheetFunction(const QString &name);

// pi, e and phi (case-insensitive); nothing for another name.
std::optional<SheetNumber> sheetConstant(const QString &name);

// The largest n of fakultaet(n): its result has fewer than kMaxSheetDigits digits.
constexpr long kMaxFactorial = 25000;

} // namespace Formula
