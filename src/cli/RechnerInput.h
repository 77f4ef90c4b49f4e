#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// How a calculator call's text falls into its parts (positions, bearings, distances). With ";"
// the parts are exactly the pieces between the semicolons. Without, the words are grouped in
// the one way in which every part reads: "N 52 E 13 N 53 E 14" is two positions. Where the
// words allow two groupings the user is asked for semicolons rather than guessed for.
namespace Cli::Rechner {

// True when a text reads as the part it stands for.
using PartReader = std::function<bool(const QString &text)>;

// The texts of the parts, one per reader; a count of readers per alternative (mitte takes two or
// three points). Throws QuarvelError with a German message.
QStringList splitParts(const QString &text,
                       const std::vector<std::vector<PartReader>> &alternatives);

// A distance with an optional unit ("350", "1,5km", "2 mi"), in metres.
double readDistanceWithUnit(const QString &text);
// A bearing in degrees, with or without "°".
double readBearingDegrees(const QString &text);

} // namespace Cli::Rechner
