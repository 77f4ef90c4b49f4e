#pragma once

// The targets of the breakers without key (Playfair, columnar transposition, Porta, Gronsfeld,
// Hill 2×2, Bifid), on held-out sayings with fixed seeds; each rate printed next to its goal.
void printBreakerTargets();
