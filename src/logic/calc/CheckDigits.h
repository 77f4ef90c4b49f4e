#pragma once

// Check characters of identification numbers. Each method knows the shape its numbers have (the
// characters allowed at each place) and whether a whole number is valid; the check character
// and the completions of a "?" follow from that by trying every allowed character.

#include <QString>
#include <QStringList>

#include <vector>

namespace Calc {

struct Tool;

struct CheckResult
{
    QString method;
    bool valid = false;
    QString checkCharacter; // what the check place must hold; empty when the number holds "?"
    QStringList completions; // the valid numbers with the "?" filled in
};

// Blanks and hyphens removed, letters in capitals.
QString normalizedNumber(const QString &text);
QStringList checkMethods();
// Every method whose shape fits the number (`method` empty), or that one method. Throws
// QuarvelError when none fits or the number holds more than one "?".
std::vector<CheckResult> checkNumber(const QString &text, const QString &method);

std::vector<Tool> checkDigitTools();

} // namespace Calc
