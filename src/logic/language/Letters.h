#pragma once

#include <QByteArray>
#include <QString>

// The letter stream the language model counts and scores: every letter A-Z or a-z as its index
// 0..25, the German umlauts and ß spelled out as the German alphabet writes them without them
// (Ä → AE, Ö → OE, Ü → UE, ß → SS), everything else dropped. The generator of the quadgram
// tables and the scorer both read texts through this one function, so counts and look-ups agree.
QByteArray letterIndices(const QString &text);

// The same letters as upper-case A-Z text ("Grüße!" → "GRUESSE").
QString normalizedLetters(const QString &text);

// Number of letters A-Z/a-z, umlauts and ß in the text (each counts once).
int countLetters(const QString &text);
