#include "logic/formula/SheetFunctions.h"

#include "logic/ciphers/CipherRegistry.h"
#include "logic/common/QuarvelError.h"
#include "logic/formula/SheetFunctionsImpl.h"
#include "logic/tools/CryptoTools_WortWert.h"
#include "logic/tools/QuersummenKette.h"
#include "logic/tools/hfunctions.h"

namespace Formula {

using namespace SheetImpl;

namespace {

const QString &textArgument(const SheetNumber &value, const QString &name)
{
    if (!value.isText())
        throw QuarvelError(
            QStringLiteral("%1 erwartet einen Text in Anführungszeichen, z. B. %1(\"Kirche\").")
                .arg(name));
    return value.textValue();
}

QString digitsOf(const SheetNumber &value, const QString &name)
{
    return QString::fromStdString(mpz_class(abs(value.integer(name))).get_str());
}

SheetNumber whole(qint64 value)
{
    return SheetNumber::exact(mpz_class(QString::number(value).toStdString(), 10));
}

SheetNumber qs(const SheetArguments &a)
{
    return SheetNumber::fromDecimal(
        QuersummenKette::digitSums(digitsOf(a[0], QStringLiteral("qs"))).constFirst());
}

SheetNumber iqs(const SheetArguments &a)
{
    return SheetNumber::fromDecimal(
        QuersummenKette::digitSums(digitsOf(a[0], QStringLiteral("iqs"))).constLast());
}

// The alternating digit sum from the last digit on: 1234 gives 4 - 3 + 2 - 1 = 2.
SheetNumber aqs(const SheetArguments &a)
{
    const QString digits = digitsOf(a[0], QStringLiteral("aqs"));
    qint64 sum = 0;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const int digit = digits.at(digits.size() - 1 - i).unicode() - u'0';
        sum += i % 2 == 0 ? digit : -digit;
    }
    return whole(sum);
}

SheetNumber bww(const SheetArguments &a)
{
    return SheetNumber::fromDecimal(
        CryptoTools::BuchstabenWortWert(textArgument(a[0], QStringLiteral("bww")), false, false));
}

SheetNumber laenge(const SheetArguments &a)
{
    qint64 letters = 0;
    for (const QChar c : textArgument(a[0], QStringLiteral("laenge")))
        letters += c.isLetter();
    return whole(letters);
}

// The i-th digit from the left, counted from 1, of the number without its sign.
SheetNumber ziffer(const SheetArguments &a)
{
    const QString digits = digitsOf(a[0], QStringLiteral("ziffer"));
    const long i = a[1].smallInteger(QStringLiteral("ziffer (Stelle)"), 1, kMaxSheetDigits);
    if (i > digits.size())
        throw QuarvelError(QStringLiteral("ziffer: %1 hat nur %2 Ziffern, eine %3. gibt es nicht.")
                               .arg(digits)
                               .arg(digits.size())
                               .arg(i));
    return whole(digits.at(i - 1).unicode() - u'0');
}

SheetNumber rom(const SheetArguments &a)
{
    const QString text = textArgument(a[0], QStringLiteral("rom")).trimmed();
    static const QString kSymbols = QStringLiteral("IVXLCDMivxlcdm");
    const bool roman = !text.isEmpty() &&
        std::all_of(text.begin(), text.end(), [](QChar c) { return kSymbols.contains(c); });
    if (!roman)
        throw QuarvelError(QStringLiteral("rom: „%1“ ist keine römische Zahl (nur I, V, X, L, C, "
                                          "D, M).")
                               .arg(text));
    return whole(hfunctions::Roem2Dez(text.toUpper()));
}

// The digits of the phone keys a word is typed with (2 = ABC ... 9 = WXYZ).
SheetNumber vanity(const SheetArguments &a)
{
    const QString text = textArgument(a[0], QStringLiteral("vanity"));
    QString keys;
    try {
        keys = Ciphers::findCipher(QStringLiteral("t9"))->encode(text);
    } catch (const QuarvelError &error) {
        throw QuarvelError(QStringLiteral("vanity: ") + error.message());
    }
    keys.remove(u' ');
    if (keys.isEmpty())
        throw QuarvelError(QStringLiteral("vanity: „%1“ enthält keinen Buchstaben.").arg(text));
    return SheetNumber::fromDecimal(keys);
}

// The Unicode number of the one character of a text.
SheetNumber zeichen(const SheetArguments &a)
{
    const QString text = textArgument(a[0], QStringLiteral("zeichen"));
    const auto codes = text.toUcs4();
    if (codes.size() != 1)
        throw QuarvelError(
            QStringLiteral("zeichen erwartet genau ein Zeichen, nicht %1.").arg(codes.size()));
    return whole(codes.first());
}

SheetNumber sinus(const SheetArguments &a)
{
    return angle(a[0], Angle::Sin);
}
SheetNumber kosinus(const SheetArguments &a)
{
    return angle(a[0], Angle::Cos);
}
SheetNumber tangens(const SheetArguments &a)
{
    return angle(a[0], Angle::Tan);
}
SheetNumber arcsin(const SheetArguments &a)
{
    return angle(a[0], Angle::ArcSin);
}
SheetNumber arccos(const SheetArguments &a)
{
    return angle(a[0], Angle::ArcCos);
}
SheetNumber arctan(const SheetArguments &a)
{
    return angle(a[0], Angle::ArcTan);
}
SheetNumber ln(const SheetArguments &a)
{
    return logarithm(a[0], nullptr);
}
SheetNumber log(const SheetArguments &a)
{
    const SheetNumber ten = SheetNumber::exact(mpz_class(10));
    return logarithm(a[0], a.size() > 1 ? &a[1] : &ten);
}

SheetFunction entry(QStringList names, int minimum, int maximum,
                    SheetNumber (*call)(const SheetArguments &), const char *usage,
                    const char *help)
{
    return {std::move(names),       minimum, maximum, call, QString::fromUtf8(usage),
            QString::fromUtf8(help)};
}

} // namespace

const std::vector<SheetFunction> &sheetFunctions()
{
    using L = QStringList;
    static const std::vector<SheetFunction> table = {
        entry(L {"wurzel", "sqrt"}, 1, 1, wurzel, "wurzel(x)", "Quadratwurzel"),
        entry(L {"nwurzel"}, 2, 2, nwurzel, "nwurzel(x; n)", "n-te Wurzel"),
        entry(L {"runden"}, 1, 2, runden, "runden(x; n)",
              "auf n Nachkommastellen runden (ohne n: ganze Zahl), ab 5 weg von null"),
        entry(L {"abrunden"}, 1, 2, abrunden, "abrunden(x; n)", "abrunden (zur kleineren Zahl)"),
        entry(L {"aufrunden"}, 1, 2, aufrunden, "aufrunden(x; n)", "aufrunden (zur größeren Zahl)"),
        entry(L {"betrag", "abs"}, 1, 1, betrag, "betrag(x)", "Betrag ohne Vorzeichen"),
        entry(L {"min"}, 1, -1, minimum, "min(x; y; …)", "kleinster Wert"),
        entry(L {"max"}, 1, -1, maximum, "max(x; y; …)", "größter Wert"),
        entry(L {"mod"}, 2, 2, mod, "mod(x; y)", "Rest mit dem Vorzeichen von y"),
        entry(L {"ggt"}, 1, -1, ggt, "ggt(x; y; …)", "größter gemeinsamer Teiler"),
        entry(L {"kgv"}, 1, -1, kgv, "kgv(x; y; …)", "kleinstes gemeinsames Vielfaches"),
        entry(L {"fakultaet", "fakultät"}, 1, 1, fakultaet, "fakultaet(n)", "n! (bis 25000)"),
        entry(L {"sin"}, 1, 1, sinus, "sin(x)", "Sinus, x in Grad"),
        entry(L {"cos"}, 1, 1, kosinus, "cos(x)", "Kosinus, x in Grad"),
        entry(L {"tan"}, 1, 1, tangens, "tan(x)", "Tangens, x in Grad"),
        entry(L {"arcsin", "asin"}, 1, 1, arcsin, "arcsin(x)", "Arkussinus in Grad"),
        entry(L {"arccos", "acos"}, 1, 1, arccos, "arccos(x)", "Arkuskosinus in Grad"),
        entry(L {"arctan", "atan"}, 1, 1, arctan, "arctan(x)", "Arkustangens in Grad"),
        entry(L {"ln"}, 1, 1, ln, "ln(x)", "natürlicher Logarithmus"),
        entry(L {"log"}, 1, 2, log, "log(x; b)", "Logarithmus zur Basis b (ohne b: 10)"),
        entry(L {"qs"}, 1, 1, qs, "qs(x)", "Quersumme"),
        entry(L {"iqs"}, 1, 1, iqs, "iqs(x)", "iterierte Quersumme (bis eine Ziffer bleibt)"),
        entry(L {"aqs"}, 1, 1, aqs, "aqs(x)", "alternierende Quersumme, von der letzten Ziffer an"),
        entry(L {"bww"}, 1, 1, bww, "bww(\"Text\")", "Buchstabenwortwert, A=1 … Z=26"),
        entry(L {"laenge", "länge"}, 1, 1, laenge, "laenge(\"Text\")", "Anzahl der Buchstaben"),
        entry(L {"ziffer"}, 2, 2, ziffer, "ziffer(x; i)", "i-te Ziffer von links"),
        entry(L {"rom"}, 1, 1, rom, "rom(\"MCMXC\")", "Wert einer römischen Zahl"),
        entry(L {"vanity"}, 1, 1, vanity, "vanity(\"Text\")", "Ziffern der Telefontasten"),
        entry(L {"zeichen"}, 1, 1, zeichen, "zeichen(\"A\")", "Zeichencode (Unicode)"),
    };
    return table;
}

const SheetFunction *findSheetFunction(const QString &name)
{
    for (const SheetFunction &function : sheetFunctions()) {
        if (function.names.contains(name, Qt::CaseInsensitive))
            return &function;
    }
    return nullptr;
}

std::optional<SheetNumber> sheetConstant(const QString &name)
{
    const QString key = name.toLower();
    Real value;
    if (key == QLatin1String("pi") || key == QStringLiteral("π")) {
        mpfr_const_pi(value.get(), MPFR_RNDN);
    } else if (key == QLatin1String("e")) {
        mpfr_set_ui(value.get(), 1, MPFR_RNDN);
        mpfr_exp(value.get(), value.get(), MPFR_RNDN);
    } else if (key == QLatin1String("phi") || key == QStringLiteral("φ")) {
        Real five;
        mpfr_set_ui(five.get(), 5, MPFR_RNDN);
        mpfr_sqrt(value.get(), five.get(), MPFR_RNDN);
        mpfr_add_ui(value.get(), value.get(), 1, MPFR_RNDN);
        mpfr_div_2ui(value.get(), value.get(), 1, MPFR_RNDN);
    } else {
        return std::nullopt;
    }
    return SheetNumber::approximate(value, name);
}

} // namespace Formula
