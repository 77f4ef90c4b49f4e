#pragma once

// The rules the drawn tables are drawn from, as data: each drawing function only turns a rule
// into lines, so the tests can check the rules themselves against their sources.

#include <QList>
#include <QString>

namespace SymbolTables::Rules {

// Segment displays. Seven segments: bit 0 a (top), 1 b (upper right), 2 c (lower right),
// 3 d (bottom), 4 e (lower left), 5 f (upper left), 6 g (middle).
// Fourteen segments: a–f as above, 6 g1 (middle left), 7 g2 (middle right), 8 h (diagonal
// to the upper left), 9 i (upper centre), 10 j (diagonal to the upper right), 11 k (diagonal to
// the lower left), 12 l (lower centre), 13 m (diagonal to the lower right).
// Sixteen segments: the fourteen with the top and the bottom split in halves: bit 14 a2 (top
// right half, a the left), bit 15 d2 (bottom right half, d the left).
struct SegmentGlyph
{
    QString zeichen;
    quint32 segments;
};
const QList<SegmentGlyph> &sevenSegmentDigits();
const QList<SegmentGlyph> &sevenSegmentLetters();
const QList<SegmentGlyph> &fourteenSegments();
const QList<SegmentGlyph> &sixteenSegments();

// Flag semaphore: the two arms as seen by the reader, in eighths of a turn from straight down,
// going round through the reader's left: 0 down, 1 low left, 2 left, 3 high left, 4 up,
// 5 high right, 6 right, 7 low right. `first` < `second`.
struct ArmPose
{
    QString zeichen;
    int first;
    int second;
};
const QList<ArmPose> &semaphore();

// Pigpen: the figure around the letter's place. Grid places 0–8 row by row; cross places
// 0 top, 1 left, 2 right, 3 bottom.
struct PigpenSign
{
    QString zeichen;
    bool cross;
    int place;
    bool dot;
};
// 0: A–I grid, J–R grid with dot, S–V cross, W–Z cross with dot.
// 1: A–I grid, J–M cross, N–V grid with dot, W–Z cross with dot.
// 2: two letters per place, the second with a dot: grid AB … QR, cross ST … YZ.
const QList<PigpenSign> &pigpen(int variant);

// Cistercian numerals: the strokes of a digit in the units quadrant (the upper right of the
// stave); tens are mirrored to the left, hundreds downwards, thousands both.
enum CistercianStroke : unsigned {
    Top = 1, // along the top from the stave
    Lower = 2, // parallel to it, at the quadrant's lower edge
    DiagonalDown = 4, // from the top of the stave down to the outer lower corner
    DiagonalUp = 8, // from the lower edge at the stave up to the outer top corner
    Outer = 16, // the outer vertical
};
unsigned cistercianDigit(int digit); // 1..9

// Dot-and-dash codes: '.' short, '-' long.
struct CodeSign
{
    QString zeichen;
    QString code;
};
const QList<CodeSign> &morse();
// Braille: the raised dots, "1".."6".
const QList<CodeSign> &brailleGerman();
// Code 39: nine elements bar, space, bar, … each 'n' narrow or 'w' wide.
const QList<CodeSign> &code39();
// POSTNET: five bars, '1' full height, '0' half.
const QList<CodeSign> &postnet();

// The dancing men: arms 0–6 and legs 1–8 as described in the source; legs 2 is the figure
// upside down. `original` is false for the letters the story does not show.
struct DancingFigure
{
    QString zeichen;
    int arms;
    int legs;
    bool original;
};
const QList<DancingFigure> &dancingMen();

} // namespace SymbolTables::Rules
