#pragma once

#include <QByteArray>
#include <QStringList>

// Reads the names in the directory of a compiled HTML help file (ITSF version 3): the header,
// the directory header "ITSP" and its listing chunks "PMGL". Empty names and a false `valid`
// when any of it is not where the format puts it.
struct ChmDirectory
{
    bool valid = false;
    QStringList names; // "/index.html", "/#SYSTEM", "::DataSpace/NameList", ...
};

ChmDirectory readChmDirectory(const QByteArray &file);
