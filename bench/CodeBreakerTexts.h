#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Short texts of kinds unlike the sayings the language model is built from, written for this
// benchmark: cache listings, manuals, letters and older prose, in German and in English. The
// code breaker must read these as well as the sayings.
struct TextKind
{
    QString name;
    QStringList german;
    QStringList english;
};

std::vector<TextKind> otherTextKinds();
