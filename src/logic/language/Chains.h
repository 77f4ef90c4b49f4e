#pragma once

// Two keyless steps in a row ("base64 → rot": the text was ROT-13'd, then written in Base64).
//
// Every keyless decoding of the text is a possible first step; the steps whose result is still
// text (printable, not empty, shorter than the input or a rearrangement of it) are kept, the
// ones that only rename letters (ROT, Atbash, affine) only as ROT 13, Atbash and ROT47, since two
// renamings in a row are one; each kept result is decoded again by every keyless decoding. A
// chain is charged a little, so a single step that gives the same reading ranks first.

#include "CodeBreaker.h"

// How many first steps are decoded again, best scored first.
constexpr int kChainFirstSteps = 24;
// How many second steps of each first one are kept, best scored first.
constexpr int kChainSecondSteps = 5;
// Longer texts are not chained: a puzzle text is far shorter, and every step holds a copy.
constexpr qsizetype kChainTextLimit = 1000;
// The charge of a second step, in score units.
constexpr double kChainCost = 0.25;

std::vector<Candidate> chainCandidates(const BreakerRequest &request);
