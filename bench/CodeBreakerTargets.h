#pragma once

// The code breaker's accuracy targets, measured on the sayings the language model was not built
// from (every tenth saying of each fortune file), with fixed seeds. Each line prints the measured
// rate next to its goal.
void printCodeBreakerTargets();

// The keyless readings of 15-30 letters of sayings, cache listings, manuals, letters and older
// prose, ranked by the whole code breaker (searches included), by kind and over all.
void printKeylessTargetsEveryKind();

// The verdict (whether the first reading reads), the identification of the cipher and the chains
// of two keyless steps.
void printVerdictTargets();
