#pragma once

// The letter statistics the build counts from the fortune files (data/quadgen). Every value is a
// negative base-10 logarithm of a probability in steps of 1/16: the stored byte q stands for
// log10 p = -q / 16. A quadgram the texts never hold gets the floor value of its table.
namespace QuadgramTables {

constexpr int kLetters = 26;
constexpr int kQuadgrams = kLetters * kLetters * kLetters * kLetters;
constexpr double kStep = 16.0;

struct Table
{
    const unsigned char *quadgrams; // index ((a * 26 + b) * 26 + c) * 26 + d
    const unsigned char *unigrams; // 26 single-letter values
    unsigned char floor; // the value of an unseen quadgram
    long long letters; // how many letters the table was counted from
};

extern const Table kGerman;
extern const Table kEnglish;

} // namespace QuadgramTables
