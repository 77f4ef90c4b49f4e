#include "Breakers.h"

#include "SquareAnnealing.h"

QString squareText(const Square &square)
{
    QString text;
    for (const char letter : square)
        text.append(QChar(u'A' + letter));
    return text;
}

QByteArray withoutJ(const QByteArray &cipher)
{
    QByteArray out = cipher;
    for (char &letter : out) {
        if (letter == kLetterJ)
            letter = kLetterI;
    }
    return out;
}

bool playfairShaped(const QByteArray &cipher)
{
    if (cipher.size() % 2 != 0 || cipher.contains(kLetterJ))
        return false;
    for (qsizetype i = 0; i + 1 < cipher.size(); i += 2) {
        if (cipher[i] == cipher[i + 1])
            return false;
    }
    return true;
}

namespace {

void playfairInto(const QByteArray &cipher, const Square &square, QByteArray &plain)
{
    const SquareAnnealing::Positions at = SquareAnnealing::positionsOf(square);
    for (qsizetype i = 0; i + 1 < cipher.size(); i += 2) {
        const int a = at[size_t(cipher[i])];
        const int b = at[size_t(cipher[i + 1])];
        const int rowA = a / 5, columnA = a % 5, rowB = b / 5, columnB = b % 5;
        int plainA = 0;
        int plainB = 0;
        if (rowA == rowB) {
            plainA = rowA * 5 + (columnA + 4) % 5;
            plainB = rowB * 5 + (columnB + 4) % 5;
        } else if (columnA == columnB) {
            plainA = (rowA + 4) % 5 * 5 + columnA;
            plainB = (rowB + 4) % 5 * 5 + columnB;
        } else {
            plainA = rowA * 5 + columnB;
            plainB = rowB * 5 + columnA;
        }
        plain[i] = square[size_t(plainA)];
        plain[i + 1] = square[size_t(plainB)];
    }
}

} // namespace

QByteArray decryptPlayfair(const QByteArray &cipher, const Square &square)
{
    QByteArray plain(cipher.size(), Qt::Uninitialized);
    playfairInto(withoutJ(cipher), square, plain);
    return plain;
}

SquareResult searchPlayfairSquare(const QByteArray &cipher, const LanguageModel &model,
                                  const SquarePlan &plan, const StopCheck &stop)
{
    const QByteArray letters = withoutJ(cipher).left(cipher.size() / 2 * 2);
    return SquareAnnealing::anneal(
        letters,
        [&letters](const Square &square, QByteArray &plain) {
            playfairInto(letters, square, plain);
        },
        model, plan, 19120u, stop);
}
