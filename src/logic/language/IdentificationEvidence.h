#pragma once

// The weighed guesses the cipher identification collects before they are scaled into
// likelihoods; shared by the rules on symbols and the rules on letters.

#include <QString>
#include <QStringList>

#include <vector>

struct Evidence
{
    QString family;
    QString method;
    double weight = 0;
    QStringList reasons;
};

using EvidenceList = std::vector<Evidence>;

// "0,072": three decimals with a decimal comma, as the window shows numbers.
QString decimal3(double value);

// The rules on a text written in letters A-Z (at least `minLetters` of them); adds nothing for
// fewer.
void weighLetterText(const QString &text, EvidenceList &out);
