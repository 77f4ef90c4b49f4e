#include "logic/calc/CheckDigits.h"

#include "logic/calc/CalcTool.h"
#include "logic/common/QuarvelError.h"

#include <QJsonArray>
#include <QJsonObject>

#include <functional>

namespace Calc {
namespace {

const QString kDigits = QStringLiteral("0123456789");
const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");

struct Method
{
    QString name;
    QString shapeText; // German, for the message when the shape does not fit
    // The characters allowed at place i of a number of `length` characters; empty: no such place.
    std::function<QString(qsizetype i, qsizetype length)> allowed;
    std::function<bool(const QString &number)> valid;
    int checkPlace = -1; // from the end: -1 the last character; IBAN: its third and fourth
};

int value(QChar c)
{
    return c == u'X' ? 10 : c.digitValue();
}

bool eanValid(const QString &n)
{
    // Weights 1 and 3 alternating from the right, check digit included with weight 1.
    int sum = 0;
    for (qsizetype i = 0; i < n.size(); ++i)
        sum += value(n.at(n.size() - 1 - i)) * (i % 2 == 0 ? 1 : 3);
    return sum % 10 == 0;
}

bool luhnValid(const QString &n)
{
    int sum = 0;
    for (qsizetype i = 0; i < n.size(); ++i) {
        int d = value(n.at(n.size() - 1 - i));
        if (i % 2 == 1)
            d = d * 2 > 9 ? d * 2 - 9 : d * 2;
        sum += d;
    }
    return sum % 10 == 0;
}

bool weightedMod11(const QString &n)
{
    int sum = 0;
    for (qsizetype i = 0; i < n.size(); ++i) {
        if (n.at(i) == u'X' && i != n.size() - 1)
            return false;
        sum += value(n.at(i)) * int(n.size() - i);
    }
    return sum % 11 == 0;
}

bool taxIdValid(const QString &n)
{
    if (n.at(0) == u'0')
        return false;
    int counts[10] = {};
    for (qsizetype i = 0; i < 10; ++i)
        ++counts[value(n.at(i))];
    int repeated = -1;
    for (int d = 0; d < 10; ++d) {
        if (counts[d] > 3 || (counts[d] > 1 && repeated >= 0))
            return false;
        if (counts[d] > 1)
            repeated = d;
    }
    if (repeated < 0)
        return false;
    // A digit three times may not stand three times in a row.
    const QString three(3, QChar(u'0' + repeated));
    if (counts[repeated] == 3 && n.left(10).contains(three))
        return false;
    // ISO 7064, MOD 11,10.
    int product = 10;
    for (qsizetype i = 0; i < 10; ++i) {
        int sum = (value(n.at(i)) + product) % 10;
        if (sum == 0)
            sum = 10;
        product = sum * 2 % 11;
    }
    const int check = (11 - product) % 10;
    return value(n.at(10)) == check;
}

int ibanLength(const QString &country)
{
    static const QHash<QString, int> lengths = [] {
        QHash<QString, int> table;
        const char *entries =
            "AD24AE23AL28AT20AZ28BA20BE16BG22BH22BI27BR29BY28CH21CR22CY28CZ24DE22DJ27DK18DO28"
            "EE20EG29ES24FI18FK18FO18FR27GB22GE22GI23GL18GR27GT28HR21HU28IE22IL23IQ23IS26IT27"
            "JO30KW30KZ20LB28LC32LI21LT20LU20LV21LY25MC27MD24ME22MK19MN20MR27MT31MU30NI28NL18"
            "NO15OM23PK24PL28PS29QA29RO24RS22RU33SA24SC31SD18SE24SI19SK24SM27SO23ST25SV28TL23"
            "TN24TR26UA29VA22VG24XK20YE30";
        for (const char *p = entries; *p; p += 4)
            table.insert(QString::fromLatin1(p, 2), (p[2] - '0') * 10 + (p[3] - '0'));
        return table;
    }();
    return lengths.value(country, 0);
}

int ibanRemainder(const QString &n)
{
    // The country and check digits move to the end; letters count 10 to 35.
    const QString moved = n.mid(4) + n.left(4);
    int remainder = 0;
    for (const QChar c : moved) {
        const int v = c.isDigit() ? c.digitValue() : c.unicode() - u'A' + 10;
        remainder = (v > 9 ? remainder * 100 + v : remainder * 10 + v) % 97;
    }
    return remainder;
}

bool euroNoteValid(const QString &n)
{
    int sum = 0;
    for (const QChar c : n)
        sum += c.isDigit() ? c.digitValue() : c.unicode(); // letters by their ASCII code
    return sum % 9 == 0;
}

QString digitsOnly(qsizetype i, qsizetype length, qsizetype wanted)
{
    return i < length && length == wanted ? kDigits : QString();
}

const std::vector<Method> &methods()
{
    static const std::vector<Method> all = {
        {QStringLiteral("isbn10"), QStringLiteral("10 Zeichen: 9 Ziffern und eine Ziffer oder X"),
         [](qsizetype i, qsizetype n) {
             return n != 10 ? QString() : i == 9 ? kDigits + u'X' : kDigits;
         },
         weightedMod11},
        {QStringLiteral("isbn13"), QStringLiteral("13 Ziffern, beginnend mit 978 oder 979"),
         [](qsizetype i, qsizetype n) { return digitsOnly(i, n, 13); },
         [](const QString &n) {
             return (n.startsWith(QStringLiteral("978")) || n.startsWith(QStringLiteral("979"))) &&
                 eanValid(n);
         }},
        {QStringLiteral("issn"), QStringLiteral("8 Zeichen: 7 Ziffern und eine Ziffer oder X"),
         [](qsizetype i, qsizetype n) {
             return n != 8 ? QString() : i == 7 ? kDigits + u'X' : kDigits;
         },
         weightedMod11},
        {QStringLiteral("ean8"), QStringLiteral("8 Ziffern"),
         [](qsizetype i, qsizetype n) { return digitsOnly(i, n, 8); }, eanValid},
        {QStringLiteral("ean13"), QStringLiteral("13 Ziffern"),
         [](qsizetype i, qsizetype n) { return digitsOnly(i, n, 13); }, eanValid},
        {QStringLiteral("upca"), QStringLiteral("12 Ziffern"),
         [](qsizetype i, qsizetype n) { return digitsOnly(i, n, 12); }, eanValid},
        {QStringLiteral("iban"),
         QStringLiteral("Länderkennung, 2 Prüfziffern und die Kontonummer in der Länge des Landes"),
         [](qsizetype i, qsizetype n) {
             return n < 15 || n > 34 ? QString()
                 : i < 2             ? kLetters
                 : i < 4             ? kDigits
                                     : kDigits + kLetters;
         },
         [](const QString &n) {
             return ibanLength(n.left(2)) == n.size() && ibanRemainder(n) == 1;
         },
         2},
        {QStringLiteral("luhn"), QStringLiteral("2 bis 64 Ziffern"),
         [](qsizetype, qsizetype n) { return n >= 2 && n <= 64 ? kDigits : QString(); }, luhnValid},
        {QStringLiteral("imei"), QStringLiteral("15 Ziffern"),
         [](qsizetype i, qsizetype n) { return digitsOnly(i, n, 15); }, luhnValid},
        {QStringLiteral("steuerid"), QStringLiteral("11 Ziffern"),
         [](qsizetype i, qsizetype n) { return digitsOnly(i, n, 11); }, taxIdValid},
        {QStringLiteral("euroschein"),
         QStringLiteral("12 Zeichen: 1 Buchstabe und 11 Ziffern oder 2 Buchstaben und 10 Ziffern"),
         [](qsizetype i, qsizetype n) {
             return n != 12 ? QString() : i == 0 ? kLetters : i == 1 ? kLetters + kDigits : kDigits;
         },
         euroNoteValid},
        {QStringLiteral("uic"), QStringLiteral("12 Ziffern"),
         [](qsizetype i, qsizetype n) { return digitsOnly(i, n, 12); }, luhnValid},
    };
    return all;
}

bool fits(const Method &method, const QString &number)
{
    for (qsizetype i = 0; i < number.size(); ++i) {
        const QString allowed = method.allowed(i, number.size());
        if (allowed.isEmpty() || (number.at(i) != u'?' && !allowed.contains(number.at(i))))
            return false;
    }
    return !number.isEmpty();
}

QStringList completionsAt(const Method &method, const QString &number, qsizetype at)
{
    QStringList found;
    QString candidate = number;
    for (const QChar c : method.allowed(at, number.size())) {
        candidate[at] = c;
        if (method.valid(candidate))
            found.append(candidate);
    }
    return found;
}

QString checkCharacter(const Method &method, const QString &number)
{
    if (method.name == u"iban") {
        if (ibanLength(number.left(2)) != number.size())
            return {};
        const QString zeroed = number.left(2) + QStringLiteral("00") + number.mid(4);
        return QString::number(98 - ibanRemainder(zeroed)).rightJustified(2, u'0');
    }
    // Euro notes: 0 and 9 give the same remainder; the printed check digit is 1 to 9.
    const qsizetype place = number.size() - 1;
    const QStringList found = completionsAt(method, number, place);
    return found.isEmpty() ? QString() : found.constLast().mid(place);
}

CheckResult evaluate(const Method &method, const QString &number)
{
    CheckResult result;
    result.method = method.name;
    const qsizetype unknown = number.indexOf(u'?');
    if (unknown >= 0) {
        result.completions = completionsAt(method, number, unknown);
        return result;
    }
    result.valid = method.valid(number);
    result.checkCharacter = checkCharacter(method, number);
    return result;
}

} // namespace

QString normalizedNumber(const QString &text)
{
    QString number;
    for (const QChar c : text) {
        if (c.isSpace() || c == u'-')
            continue;
        number += c.unicode() < 128 ? c.toUpper() : c;
    }
    return number;
}

QStringList checkMethods()
{
    QStringList names;
    for (const Method &method : methods())
        names.append(method.name);
    return names;
}

std::vector<CheckResult> checkNumber(const QString &text, const QString &methodName)
{
    const QString number = normalizedNumber(text);
    if (number.count(u'?') > 1)
        throw QuarvelError(QStringLiteral("Nummer: Bitte höchstens ein „?“ angeben"));
    if (number.isEmpty())
        throw QuarvelError(QStringLiteral("Nummer: Bitte eine Nummer eingeben"));
    std::vector<CheckResult> results;
    for (const Method &method : methods()) {
        if (!methodName.isEmpty() && method.name != methodName)
            continue;
        if (!fits(method, number)) {
            if (!methodName.isEmpty())
                throw QuarvelError(
                    QStringLiteral("Nummer: %1 erwartet %2").arg(method.name, method.shapeText));
            continue;
        }
        results.push_back(evaluate(method, number));
    }
    if (results.empty())
        throw QuarvelError(QStringLiteral("Nummer: Kein Prüfverfahren passt auf „%1“").arg(text));
    return results;
}

namespace {

Outcome checkTool(const Values &values)
{
    const QString text = values.value(QStringLiteral("nummer"));
    QJsonArray list;
    QStringList lines;
    for (const CheckResult &r : checkNumber(text, values.value(QStringLiteral("verfahren")))) {
        list.append(QJsonObject {
            {QStringLiteral("verfahren"), r.method},
            {QStringLiteral("gueltig"), r.valid},
            {QStringLiteral("pruefziffer"),
             r.checkCharacter.isEmpty() ? QJsonValue() : QJsonValue(r.checkCharacter)},
            {QStringLiteral("vervollstaendigungen"), QJsonArray::fromStringList(r.completions)}});
        QString line = r.method + QStringLiteral(": ");
        if (normalizedNumber(text).contains(u'?'))
            line += r.completions.isEmpty() ? QStringLiteral("keine gültige Ergänzung")
                                            : r.completions.join(QStringLiteral(", "));
        else if (r.valid)
            line += QStringLiteral("gültig (Prüfziffer %1)").arg(r.checkCharacter);
        else
            line += r.checkCharacter.isEmpty()
                ? QStringLiteral("ungültig")
                : QStringLiteral("ungültig, die Prüfziffer müsste %1 sein").arg(r.checkCharacter);
        lines.append(line);
    }
    return {{QStringLiteral("eingabe"), {asText(), normalizedNumber(text)}},
            {QStringLiteral("ergebnisse"), {list, lines.join(u'\n')}}};
}

} // namespace

std::vector<Tool> checkDigitTools()
{
    InputDecl method {QStringLiteral("verfahren"), QStringLiteral("Verfahren"), InputKind::Choice};
    method.choices = checkMethods();
    method.optional = true;
    method.help = QStringLiteral("nur dieses Verfahren (sonst jedes, dessen Form passt)");
    InputDecl number {QStringLiteral("nummer"), QStringLiteral("Nummer"), InputKind::Text};
    number.positional = true;
    number.rest = true;
    number.help = QStringLiteral("Leerzeichen und Bindestriche zählen nicht; „?“ für eine "
                                 "unbekannte Stelle");
    return {
        Tool {QStringLiteral("pruefziffer"),
              QStringLiteral("Prüfziffern"),
              QStringLiteral("Prüfziffern"),
              QStringLiteral("pruefziffer"),
              QString(),
              false,
              QStringLiteral("ISBN, ISSN, EAN/GTIN, UPC, IBAN, Luhn, IMEI, Steuer-ID, "
                             "Euro-Scheine, UIC-Wagennummern prüfen und ergänzen"),
              {number, method},
              {{QStringLiteral("eingabe"), QStringLiteral("Eingabe"), ResultDecl::Show::JsonOnly},
               {QStringLiteral("ergebnisse"), QStringLiteral("Ergebnisse"), ResultDecl::Show::Both,
                true}},
              checkTool,
              true,
              QStringLiteral("pruefziffer 3-598-21500-?")}};
}

} // namespace Calc
