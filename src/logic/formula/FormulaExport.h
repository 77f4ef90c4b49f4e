#pragma once

#include "logic/formula/FormulaSolver.h"

#include <QString>

#include <vector>

class QIODevice;

namespace Formula {

// The results as GPX 1.1 waypoints, for a GPS device or a map program: the name holds the
// variable values, the description the formula. False when the device refused a write.
bool writeGpx(QIODevice &device, const FormulaSolver &solver, const std::vector<Hit> &hits,
              const QString &formula);

// The results as CSV for a spreadsheet program with German settings: ";" between fields,
// decimal comma, UTF-8 with a byte-order mark, one header line. Columns: the variable values,
// the coordinate in `notation` as the result table shows it, latitude, longitude, distance in
// metres, bearing in degrees.
bool writeCsv(QIODevice &device, const FormulaSolver &solver, const std::vector<Hit> &hits,
              int notation = 1);

// A candidate's coordinate text in notation 0, 1 or 2 of the coordinates tool; what that tool
// cannot write stays as the formula gave it.
QString coordinateInNotation(const QString &text, int notation);

// A number with a fixed count of decimals and the decimal comma; empty for NaN (unknown).
QString decimalComma(double value, int decimals);

// One result as a line of text fields separated by tabs (for the clipboard).
QString resultLine(const FormulaSolver &solver, const Hit &hit, const QString &coordinate);

} // namespace Formula
