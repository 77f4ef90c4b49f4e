#pragma once

#include "logic/formula/SheetExpression.h"

#include <QString>

#include <vector>

namespace Formula {

// A named value or formula of a sheet: "A" = "1987", "C" = "runden(wurzel(A - B); 2)".
struct SheetEntry
{
    QString name;
    QString formula;
    bool operator==(const SheetEntry &other) const = default;
};

// Up to this many entries: far more than a listing has, and the depth of the evaluation's
// recursion stays small.
constexpr int kMaxSheetEntries = 1000;

// The formula calculator's sheet: named values and formulas that refer to each other in any
// order. Names compare without regard to case, like the letters of the variable coordinates; a
// name may shadow a constant (a value "E" hides Euler's number). Each entry is evaluated once;
// a cycle of references gives every entry in it the message that names the cycle.
class FormulaSheet
{
public:
    struct Result
    {
        bool ok = false;
        SheetNumber value;
        QString error; // German; empty for an empty row
    };

    // Throws QuarvelError for more than kMaxSheetEntries entries.
    explicit FormulaSheet(std::vector<SheetEntry> entries);

    const std::vector<SheetEntry> &entries() const { return m_entries; }
    const std::vector<Result> &results() const { return m_results; }

    // The value of the entry with that name, or nullptr when there is none or it failed.
    const SheetNumber *value(const QString &name) const;
    // Whether an entry of that name exists (with or without a value).
    bool defines(const QString &name) const { return indexOf(name) >= 0; }

    // A further expression over the sheet's values; throws QuarvelError.
    SheetNumber evaluate(const QString &expression) const;

    // Whether `name` may name an entry: a letter or "_" first, then letters, digits and "_".
    static bool isValidName(const QString &name);

private:
    enum class State { Open, Running, Done };
    int indexOf(const QString &name) const;
    void evaluateEntry(int index);
    const SheetNumber *lookup(const QString &name);
    void markCycle(int index);

    std::vector<SheetEntry> m_entries;
    std::vector<Result> m_results;
    std::vector<std::optional<SheetExpression>> m_expressions;
    std::vector<State> m_states;
    std::vector<int> m_running; // the entries being evaluated, outermost first
};

} // namespace Formula
