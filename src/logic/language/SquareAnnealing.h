#pragma once

// Simulated annealing over a 5×5 key square for the Bifid breaker, its decryption handed in as a
// function of the square and the plain buffer. The Playfair breaker, which runs its own chain
// (PlayfairBreaker.cpp), shares the square helpers and the threshold of a reading.

#include "Breakers.h"
#include "QuadgramTables.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

namespace SquareAnnealing {

// The quadgram cost of the plain letters, each quadgram's index computed whole (the model's
// rolling index needs a division per letter, the most of a step's time here).
inline long long plainCost(const QByteArray &plain, const LanguageModel &model)
{
    const char *p = plain.constData();
    long long sum = 0;
    for (qsizetype i = 0; i + 3 < plain.size(); ++i)
        sum += model.cost(((p[i] * 26 + p[i + 1]) * 26 + p[i + 2]) * 26 + p[i + 3]);
    return sum;
}

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

// A reading whose quadgrams cost less than this share of the unseen quadgram's cost on average
// reads as language: prose costs about half of it, random letters about seven tenths.
constexpr double kReadsBelowFloorShare = 0.6;

// Anneals at a fixed temperature that grows with the text, from the alphabet and then from
// random squares, each run independent of the others, until a run reads as language or
// `plan.runs` have run. A fixed temperature lets the square condense out of random letters
// (cooling too soon freezes it in a random valley); a run that does not condense rarely does
// later, so a fresh start helps more than more steps.
template<typename Decrypt>
SquareResult anneal(const QByteArray &cipher, Decrypt decrypt, const LanguageModel &model,
                    const SquarePlan &plan, unsigned seed, const StopCheck &stop)
{
    std::mt19937 random(seed);
    QByteArray plain(cipher.size(), Qt::Uninitialized);
    SquareResult best {alphabetSquare(), 0};
    decrypt(best.square, plain);
    best.cost = plainCost(plain, model);
    const double temperature = QuadgramTables::kStep * plan.temperature * double(cipher.size());
    const double reads = kReadsBelowFloorShare * model.floorCost() *
        double(std::max<qsizetype>(cipher.size() - 3, 1));
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    for (int run = 0; run<plan.runs &&double(best.cost)> reads; ++run) {
        Square square = best.square;
        if (run > 0)
            std::shuffle(square.begin(), square.end(), random);
        decrypt(square, plain);
        long long current = plainCost(plain, model);
        for (int step = 0; step < plan.steps; ++step) {
            if (step % 2048 == 0 && stop && stop())
                return best;
            Square trial = square;
            changeSquare(trial, random);
            decrypt(trial, plain);
            const long long cost = plainCost(plain, model);
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
