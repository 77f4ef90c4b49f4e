// The 27 symbols in a 3 x 3 x 3 cube: Trifid as Delastelle described it, with periods and "+",
// and the Trifid of the older panel.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/ciphers/KeyedSquare.h"
#include "logic/common/QuarvelError.h"
#include "logic/tools/CryptoTools.h"

namespace Ciphers {
namespace {

constexpr QLatin1String kPeriode("periode");

KeyedSquare delastelleCube(const ParamValues &values)
{
    return KeyedSquare(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ+"), textParam(values, kKey), {},
                       QStringLiteral("Der Schlüssel darf nur Buchstaben und „+“ enthalten."));
}

// One period: encoding writes all layer digits, then all row digits, then all column digits and
// reads them in threes; decoding writes the threes and reads the three rows back.
void delastelleBlock(const KeyedSquare &cube, const int *cells, std::size_t count, bool encode,
                     QString &out)
{
    std::vector<int> digits(3 * count);
    for (std::size_t i = 0; i < count; ++i) {
        const int parts[3] = {cells[i] / 9, cells[i] / 3 % 3, cells[i] % 3};
        for (std::size_t p = 0; p < 3; ++p)
            digits[encode ? p * count + i : 3 * i + p] = parts[p];
    }
    for (std::size_t i = 0; i < count; ++i) {
        const int cell = encode ? 9 * digits[3 * i] + 3 * digits[3 * i + 1] + digits[3 * i + 2]
                                : 9 * digits[i] + 3 * digits[count + i] + digits[2 * count + i];
        out.append(cube.symbolAt(cell));
    }
}

QString delastelle(const QString &text, const ParamValues &values, bool encode)
{
    const KeyedSquare cube = delastelleCube(values);
    std::vector<int> cells;
    cells.reserve(std::size_t(text.size()));
    for (const QChar c : text) {
        const int cell = cube.cellOf(c);
        if (cell >= 0)
            cells.push_back(cell);
    }
    const int periode = numberParam(values, kPeriode);
    const std::size_t period =
        periode == 0 ? std::max<std::size_t>(cells.size(), 1) : std::size_t(periode);
    QString result;
    result.reserve(qsizetype(cells.size()));
    for (std::size_t start = 0; start < cells.size(); start += period)
        delastelleBlock(cube, cells.data() + start, std::min(period, cells.size() - start), encode,
                        result);
    return result;
}

QString delastelleEncode(const QString &text, const ParamValues &values)
{
    return delastelle(text, values, true);
}

QString delastelleDecode(const QString &text, const ParamValues &values)
{
    return delastelle(text, values, false);
}

// The older panel's routines fill the cube without a key; here a key is required, as for
// every other keyed cipher.
QString trifidKey(const ParamValues &values)
{
    const QString key = textParam(values, kKey);
    if (key.isEmpty())
        throw QuarvelError(QStringLiteral("Bitte einen Schlüssel eingeben."));
    return key;
}

QString trifidEncode(const QString &text, const ParamValues &values)
{
    return TrifidEncrypt(text, trifidKey(values));
}

QString trifidDecode(const QString &text, const ParamValues &values)
{
    return TrifidDecrypt(text, trifidKey(values));
}

} // namespace

Cipher delastelleCipher()
{
    return Cipher {QStringLiteral("delastelle"),
                   QStringLiteral("Trifid nach Delastelle"),
                   QStringLiteral("A–Z und „+“ im Schlüsselwürfel als Schicht, Zeile, Spalte; je "
                                  "Periode zeilenweise notiert und in Dreiern gelesen."),
                   {keyDecl(QStringLiteral("Schlüsselwort des Würfels")),
                    numberDecl(kPeriode, QStringLiteral("Periode"), 0, 1000000, 5,
                               QStringLiteral("Länge einer Periode, 0 = der ganze Text "
                                              "(Vorgabe 5)"))},
                   Keying::Key,
                   delastelleEncode,
                   delastelleDecode};
}

Cipher trifidCipher()
{
    return Cipher {QStringLiteral("trifid"),
                   QStringLiteral("Trifid"),
                   QStringLiteral("A–Z und „.“ im Schlüsselwürfel; der ganze Text ist eine "
                                  "Periode (wie im Trifid-Werkzeug)."),
                   {keyDecl(QStringLiteral("der Schlüssel (nur Buchstaben)"))},
                   Keying::Key,
                   trifidEncode,
                   trifidDecode};
}

} // namespace Ciphers
