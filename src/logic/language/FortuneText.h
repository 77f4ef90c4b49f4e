#pragma once

#include <QString>
#include <QStringList>

// The text collections the language model is built from: the Debian fortune files, one saying
// after the other, separated by lines that hold only "%". Every tenth saying of a file (the
// 10th, 20th, ...) is held out of the model, so the benchmark can measure the code breaker on
// texts the model has never seen.
namespace FortuneText {

// The sayings of one fortune file, in order, each without its separator line.
QStringList split(const QString &fileText);

// True for the sayings (by their index in split()) the model is not built from.
bool isHeldOut(qsizetype index);

// The files of a fortune folder, sorted by name: data files only, without the ".dat" indexes,
// the ".u8" links and the pictures drawn from characters, which read as no language.
QStringList files(const QString &folder);

} // namespace FortuneText
