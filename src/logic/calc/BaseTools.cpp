// Whole numbers between the bases 2 to 36 (digits 0-9 and A-Z, either case) and 62 (0-9, A-Z,
// a-z: here case matters), of any length and with a sign.
#include "logic/calc/BigNumbers.h"
#include "logic/calc/CalcTool.h"
#include "logic/calc/NumberTools.h"
#include "logic/common/QuarvelError.h"

namespace Calc {
namespace {

constexpr qsizetype kMaxLength = 1000000;

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'Z')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'z')
        return base == 62 ? u - u'a' + 36 : u - u'a' + 10;
    return 99;
}

int readBase(const Values &values, const QString &key, const QString &label)
{
    const int base = values.value(key).trimmed().toInt();
    if (base > 36 && base < 62)
        throw QuarvelError(QStringLiteral("%1: Basis %2 gibt es hier nicht: 2 bis 36 oder 62")
                               .arg(label)
                               .arg(base));
    return base;
}

Outcome baseTool(const Values &values)
{
    const int from = readBase(values, QStringLiteral("von"), QStringLiteral("Von Basis"));
    const int to = readBase(values, QStringLiteral("nach"), QStringLiteral("Nach Basis"));
    QString text = values.value(QStringLiteral("zahl")).trimmed();
    text.remove(u' ');
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text.remove(0, 1);
    if (text.isEmpty())
        throw QuarvelError(QStringLiteral("Zahl: Bitte eine Zahl eingeben"));
    if (text.size() > kMaxLength)
        throw QuarvelError(QStringLiteral("Zahl: Höchstens %1 Ziffern").arg(kMaxLength));
    for (const QChar c : text) {
        if (digitValue(c, from) >= from)
            throw QuarvelError(
                QStringLiteral("Zahl: „%1“ ist keine Ziffer der Basis %2").arg(c).arg(from));
    }
    mpz_class value(text.toLatin1().toStdString(), from);
    if (negative)
        value = -value;
    // GMP writes the bases up to 36 with capitals when the base is given negative.
    const std::string digits = value.get_str(to <= 36 ? -to : to);
    return {{QStringLiteral("ergebnis"), {asText(), QString::fromLatin1(digits)}}};
}

InputDecl baseInput(const char *key, const char *label, const char *help)
{
    InputDecl decl {QString::fromLatin1(key), QString::fromUtf8(label), InputKind::Integer,
                    QStringLiteral("10")};
    decl.minimum = QStringLiteral("2");
    decl.maximum = QStringLiteral("62");
    decl.help = QString::fromUtf8(help);
    return decl;
}

} // namespace

std::vector<Tool> baseTools()
{
    InputDecl number {QStringLiteral("zahl"), QStringLiteral("Zahl"), InputKind::Text};
    number.positional = true;
    number.rest = true;
    number.help = QStringLiteral("die Ziffern in der Basis „von“, auf Wunsch mit Vorzeichen");
    return {Tool {
        QStringLiteral("zahl-basis"),
        QStringLiteral("Zahlenbasen umrechnen"),
        QStringLiteral("Zahlenbasen"),
        QStringLiteral("zahl"),
        QStringLiteral("basis"),
        false,
        QStringLiteral("Ganze Zahlen jeder Länge zwischen den Basen 2 bis 36 und 62"),
        {baseInput("von", "Von Basis", "Basis der Eingabe: 2 bis 36 oder 62"),
         baseInput("nach", "Nach Basis", "Basis des Ergebnisses: 2 bis 36 oder 62"), number},
        {{QStringLiteral("ergebnis"), QStringLiteral("Ergebnis"), ResultDecl::Show::Both, true}},
        baseTool,
        true,
        QStringLiteral("zahl basis --von 16 --nach 2 FF")}};
}

} // namespace Calc
