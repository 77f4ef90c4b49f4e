#pragma once

#include "cli/CliCommand.h"
#include "cli/RechnerInput.h"
#include "logic/geo/GeoPoint.h"

#include <QString>
#include <QStringList>

#include <functional>

// The constructions of the coordinate calculator on the command line: centroid, antipode, rhumb
// lines, resection, division, equilateral triangle and offsets. Each reports its points in the
// shape of the other "rechner" tasks: one point under "ziel", several under "punkte", and
// "entfernung_m" and "kurs_grad" where the task gives them.
namespace Cli::Rechner {

struct PointInput
{
    std::function<Geo::GeoPoint(const QString &)> read; // throws QuarvelError
    PartReader accepts; // true when a text reads as a position
};

// The task words, as the help and the error for an unknown task list them.
QStringList constructionTasks();

// Runs `task` on `text` when it names a construction; false when it names none.
bool runConstruction(const QString &task, const QString &text, const PointInput &points,
                     ResultSink &sink);

} // namespace Cli::Rechner
