#pragma once

// Simulated annealing over a 5×5 key square, shared by the Playfair and the Bifid breaker. Only
// the decryption differs; it is handed in as a function of the square and the plain buffer.

#include "Breakers.h"

#include <cmath>
#include <numeric>
#include <random>

namespace SquareAnnealing {

// Where each letter sits in the square (-1 for J).
using Positions = std::array<signed char, 26>;

inline Positions positionsOf(const Square &square)
{
    Positions at;
    at.fill(-1);
    for (int cell = 0; cell < 25; ++cell)
        at[size_t(square[size_t(cell)])] = static_cast<signed char>(cell);
    return at;
}

inline Square alphabetSquare()
{
    Square square {};
    int cell = 0;
    for (char letter = 0; letter < 26; ++letter) {
        if (letter != kLetterJ)
            square[size_t(cell++)] = letter;
    }
    return square;
}

// A neighbour of the square: mostly two letters swapped, sometimes two rows or two columns (a
// Playfair square read with its rows or columns in another order decrypts most pairs alike, so
// these moves cross the valleys between such squares).
inline void changeSquare(Square &square, std::mt19937 &random)
{
    const unsigned kind = random() % 100;
    const int a = int(random() % 25);
    const int b = int(random() % 25);
    if (kind < 90) {
        std::swap(square[size_t(a)], square[size_t(b)]);
    } else if (kind < 95) {
        for (int column = 0; column < 5; ++column)
            std::swap(square[size_t(a / 5 * 5 + column)], square[size_t(b / 5 * 5 + column)]);
    } else {
        for (int row = 0; row < 5; ++row)
            std::swap(square[size_t(row * 5 + a % 5)], square[size_t(row * 5 + b % 5)]);
    }
}

// Anneals from `plan.runs` squares (the alphabet, then random ones), cooling linearly from a
// temperature that grows with the text: a square right in most letters reads far better than one
// right in few, on a long text more so. Each later run starts from the best square so far, with
// half of it shuffled.
template<typename Decrypt>
SquareResult anneal(const QByteArray &cipher, Decrypt decrypt, const LanguageModel &model,
                    const SquarePlan &plan, unsigned seed, const StopCheck &stop)
{
    std::mt19937 random(seed);
    QByteArray plain(cipher.size(), Qt::Uninitialized);
    SquareResult best {alphabetSquare(), 0};
    decrypt(best.square, plain);
    best.cost = model.streamCost(plain.constData(), plain.size());
    const double start = 16.0 * (6.0 + 0.06 * double(cipher.size()));
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    for (int run = 0; run < plan.runs; ++run) {
        Square square = best.square;
        if (run > 0) {
            for (int i = 0; i < 12; ++i)
                std::swap(square[random() % 25], square[random() % 25]);
        }
        decrypt(square, plain);
        long long current = model.streamCost(plain.constData(), plain.size());
        for (int step = 0; step < plan.steps; ++step) {
            if (step % 2048 == 0 && stop && stop())
                return best;
            Square trial = square;
            changeSquare(trial, random);
            decrypt(trial, plain);
            const long long cost = model.streamCost(plain.constData(), plain.size());
            const double temperature = start * (1.0 - double(step) / plan.steps) + 1e-9;
            if (cost <= current ||
                chance(random) < std::exp(double(current - cost) / temperature)) {
                square = trial;
                current = cost;
                if (cost < best.cost)
                    best = {square, cost};
            }
        }
    }
    return best;
}

} // namespace SquareAnnealing
