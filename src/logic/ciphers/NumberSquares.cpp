// Letters as numbers from a keyed table: the Nihilist cipher (Polybius numbers plus those of a
// key word) and the straddling checkerboard (one digit for frequent letters, two for the rest).
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/ciphers/KeyedSquare.h"
#include "logic/common/QuarvelError.h"

#include <QRegularExpression>

#include <array>

namespace Ciphers {
namespace {

KeyedSquare nihilistSquare(const ParamValues &values)
{
    return KeyedSquare(kAlphabetNoJ, textParam(values, kKey), {u'J', u'I'},
                       QStringLiteral("Der Schlüssel darf nur Buchstaben enthalten."));
}

// Row and column 1-5 as a two-digit number.
int squareNumber(const KeyedSquare &square, QChar c)
{
    const int cell = square.cellOf(c);
    return cell < 0 ? -1 : (cell / 5 + 1) * 10 + cell % 5 + 1;
}

std::vector<int> additive(const KeyedSquare &square, const ParamValues &values)
{
    const QString word = textParam(values, QStringLiteral("zusatz"));
    if (word.isEmpty())
        throw QuarvelError(QStringLiteral("Bitte ein Zusatzwort eingeben."));
    std::vector<int> numbers;
    for (const QChar c : word) {
        const int number = squareNumber(square, c);
        if (number < 0)
            throw QuarvelError(QStringLiteral("Das Zusatzwort darf nur Buchstaben enthalten."));
        numbers.push_back(number);
    }
    return numbers;
}

QString nihilistEncode(const QString &text, const ParamValues &values)
{
    const KeyedSquare square = nihilistSquare(values);
    const std::vector<int> key = additive(square, values);
    QString out;
    out.reserve(text.size() * 3);
    std::size_t count = 0;
    for (const QChar c : text) {
        const int number = squareNumber(square, c);
        if (number < 0)
            continue;
        if (count > 0)
            out.append(u' ');
        appendDecimal(out, quint64(number + key[count++ % key.size()]));
    }
    return out;
}

QString nihilistDecode(const QString &text, const ParamValues &values)
{
    const KeyedSquare square = nihilistSquare(values);
    const std::vector<int> key = additive(square, values);
    QString out;
    out.reserve(text.size() / 3 + 1);
    forEachWord(text, [&](QStringView word, qsizetype) {
        // At most three digits: read by hand, the locale-aware conversion is the slow part.
        bool ok = !word.isEmpty() && word.size() <= 3;
        int value = 0;
        for (const QChar c : word) {
            ok = ok && c >= u'0' && c <= u'9';
            value = value * 10 + (c.unicode() - u'0');
        }
        const int number = value - key[std::size_t(out.size()) % key.size()];
        const int row = number / 10;
        const int column = number % 10;
        if (!ok || row < 1 || row > 5 || column < 1 || column > 5)
            throw QuarvelError(QStringLiteral("„%1“ ist keine Nihilist-Zahl dieses Zusatzworts "
                                              "(an Stelle %2).")
                                   .arg(word.left(20))
                                   .arg(out.size() + 1));
        out.append(square.symbolAt(row - 1, column - 1));
    });
    return out;
}

// --- straddling checkerboard -------------------------------------------------------------------

// 8 + 10 + 10 cells: the top row without its two blank places, then the rows named by the
// blank places' digits.
struct Checkerboard
{
    QString symbols; // 28, in cell order
    int blankA = 0;
    int blankB = 0;

    QString code(int index) const
    {
        if (index < 8) {
            int column = 0;
            for (int seen = -1; column < 10; ++column) {
                if (column != blankA && column != blankB && ++seen == index)
                    break;
            }
            return QString::number(column);
        }
        return QString::number(index < 18 ? blankA : blankB) + QString::number((index - 8) % 10);
    }
};

Checkerboard checkerboard(const ParamValues &values)
{
    Checkerboard board;
    const QStringList blanks =
        textParam(values, QStringLiteral("leer"))
            .split(QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts);
    bool okA = false;
    bool okB = false;
    if (blanks.size() == 2) {
        board.blankA = blanks[0].toInt(&okA);
        board.blankB = blanks[1].toInt(&okB);
    }
    if (!okA || !okB || board.blankA < 0 || board.blankA > 9 || board.blankB < 0 ||
        board.blankB > 9 || board.blankA == board.blankB)
        throw QuarvelError(QStringLiteral("Die leeren Stellen sind zwei verschiedene Ziffern 0–9, "
                                          "z. B. „2 6“."));
    if (board.blankA > board.blankB)
        std::swap(board.blankA, board.blankB);
    const QString all = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ./");
    for (const QChar c : textParam(values, kKey)) {
        const QChar upper = letterIndex(c) >= 0 ? QChar(u'A' + letterIndex(c)) : c;
        if (!all.contains(upper))
            throw QuarvelError(
                QStringLiteral("Der Schlüssel darf nur Buchstaben, „.“ und „/“ enthalten."));
        if (!board.symbols.contains(upper))
            board.symbols.append(upper);
    }
    for (const QChar c : all) {
        if (!board.symbols.contains(c))
            board.symbols.append(c);
    }
    return board;
}

QString checkerboardEncode(const QString &text, const ParamValues &values)
{
    const Checkerboard board = checkerboard(values);
    std::array<QString, 128> code;
    for (int i = 0; i < 28; ++i)
        code[board.symbols[i].unicode()] = board.code(i);
    QString out;
    out.reserve(text.size() * 2);
    for (const QChar c : text) {
        const int letter = letterIndex(c);
        const char16_t u = letter >= 0 ? char16_t(u'A' + letter) : c.unicode();
        if (u < 128 && !code[u].isEmpty())
            out.append(code[u]);
    }
    return out;
}

QString checkerboardDecode(const QString &text, const ParamValues &values)
{
    const Checkerboard board = checkerboard(values);
    QString top;
    for (int i = 0; i < 8; ++i)
        top.append(board.code(i));
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace())
            continue;
        const int digit = text[i].unicode() - u'0';
        if (digit < 0 || digit > 9)
            throw QuarvelError(
                QStringLiteral("„%1“ an Stelle %2 ist keine Ziffer.").arg(text[i]).arg(i + 1));
        if (digit != board.blankA && digit != board.blankB) {
            out.append(board.symbols[top.indexOf(text[i])]);
            continue;
        }
        qsizetype next = i + 1;
        while (next < text.size() && text[next].isSpace())
            ++next;
        const int second = next < text.size() ? text[next].unicode() - u'0' : -1;
        if (second < 0 || second > 9)
            throw QuarvelError(QStringLiteral("Nach der Zeilenziffer %1 an Stelle %2 fehlt die "
                                              "Spaltenziffer.")
                                   .arg(digit)
                                   .arg(i + 1));
        out.append(board.symbols[(digit == board.blankA ? 8 : 18) + second]);
        i = next;
    }
    return out;
}

} // namespace

Cipher nihilistCipher()
{
    return Cipher {
        QStringLiteral("nihilist"),
        QStringLiteral("Nihilist"),
        QStringLiteral("Polybius-Zahlen (5×5 mit Schlüssel, J = I) plus die Zahlen eines "
                       "Zusatzworts, Buchstabe für Buchstabe."),
        {keyDecl(QStringLiteral("Schlüsselwort des Quadrats (darf leer sein)")),
         ParamDecl {QStringLiteral("zusatz"),
                    QStringLiteral("Zusatzwort"),
                    ParamKind::Text,
                    {},
                    {},
                    0,
                    0,
                    QStringLiteral("dessen Quadratzahlen addiert werden")}},
        Keying::Key,
        nihilistEncode,
        nihilistDecode};
}

Cipher spreizschachbrettCipher()
{
    return Cipher {QStringLiteral("spreizschachbrett"),
                   QStringLiteral("Spreizendes Schachbrett"),
                   QStringLiteral("Acht Zeichen eine Ziffer, die übrigen 20 (mit „.“ und „/“) "
                                  "zwei: Zeile der leeren Stelle, dann Spalte."),
                   {keyDecl(QStringLiteral("Reihenfolge der Zeichen (Rest folgt A–Z . /)"),
                            QStringLiteral("ETAONRIS")),
                    ParamDecl {QStringLiteral("leer"),
                               QStringLiteral("Leere Stellen"),
                               ParamKind::Text,
                               QStringLiteral("2 6"),
                               {},
                               0,
                               0,
                               QStringLiteral("zwei Ziffern der oberen Zeile ohne Zeichen")}},
                   Keying::Key,
                   checkerboardEncode,
                   checkerboardDecode};
}

} // namespace Ciphers
