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

// Upper-case words of the sayings of one fortune folder the language model was not built from
// (every tenth saying of each file), umlauts spelled out.
QStringList heldOutWords(const QString &folder);
