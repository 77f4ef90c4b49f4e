#pragma once

#include "image/ImageReport.h"

#include <QString>

// Looking things up in a report.
inline const ImageAnalysis::MetadataField *findField(const ImageAnalysis::Report &report,
                                                     const QString &gruppe, const QString &feld)
{
    for (const ImageAnalysis::MetadataField &field : report.metadaten) {
        if (field.gruppe == gruppe && field.feld == feld)
            return &field;
    }
    return nullptr;
}

inline QString fieldValue(const ImageAnalysis::Report &report, const QString &gruppe,
                          const QString &feld)
{
    const ImageAnalysis::MetadataField *field = findField(report, gruppe, feld);
    return field ? field->wert : QStringLiteral("<fehlt>");
}

inline bool mentions(const QStringList &problems, const QString &part)
{
    for (const QString &problem : problems) {
        if (problem.contains(part))
            return true;
    }
    return false;
}

inline ImageAnalysis::Report analyseWithoutCodes(const QByteArray &bytes)
{
    ImageAnalysis::Options options;
    options.codesSuchen = false;
    return ImageAnalysis::analyse(bytes, options);
}
