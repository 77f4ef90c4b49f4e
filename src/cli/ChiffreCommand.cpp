// The subcommand of the cipher registry: every cipher by its name, its parameters as options.
#include "cli/CommandTable.h"
#include "logic/ciphers/CipherRegistry.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

namespace Cli {
namespace {

const QString kName = QStringLiteral("verfahren");
const QString kList = QStringLiteral("liste");
const QString kDecode = QStringLiteral("decode");

using Ciphers::Cipher;
using Ciphers::ParamDecl;
using Ciphers::ParamKind;

QString valueNameOf(const ParamDecl &decl)
{
    switch (decl.kind) {
    case ParamKind::Number:
        return QStringLiteral("N");
    case ParamKind::Choice:
        return decl.choices.join(u'|');
    case ParamKind::Text:
        return decl.label.toUpper();
    case ParamKind::Switch:
        break;
    }
    return {};
}

// One option per parameter key; ciphers that share a key ("periode") share the option, and its
// help names the ciphers (their own wording where there are only two).
std::vector<OptionDecl> parameterOptions()
{
    std::vector<OptionDecl> options;
    std::vector<QStringList> helps, users;
    QHash<QString, std::size_t> byKey;
    for (const Cipher &cipher : Ciphers::cipherRegistry()) {
        for (const ParamDecl &decl : cipher.params) {
            if (!byKey.contains(decl.key)) {
                byKey.insert(decl.key, options.size());
                options.push_back(
                    {{QStringLiteral("--") + decl.key}, decl.key, valueNameOf(decl), decl.label});
                helps.emplace_back();
                users.emplace_back();
            }
            const std::size_t at = byKey.value(decl.key);
            helps[at].append(cipher.cliName + QStringLiteral(": ") + decl.help);
            users[at].append(cipher.cliName);
        }
    }
    for (std::size_t i = 0; i < options.size(); ++i) {
        QStringList own; // the helps without their "cipher: "
        for (qsizetype k = 0; k < helps[i].size(); ++k)
            own.append(helps[i].at(k).mid(users[i].at(k).size() + 2));
        own.removeDuplicates();
        const QString ciphers = QStringLiteral(" – bei ") + users[i].join(QStringLiteral(", "));
        if (own.size() == 1)
            options[i].help = own.constFirst() + ciphers;
        else if (users[i].size() == 2)
            options[i].help = helps[i].join(QStringLiteral("; "));
        else
            options[i].help += QStringLiteral(" des Verfahrens") + ciphers;
    }
    return options;
}

void reportList(const QString &, ResultSink &sink)
{
    Result result;
    result.linePerField = true;
    QJsonArray list;
    // One column for the names, as wide as the longest one and a blank.
    qsizetype width = 0;
    for (const Cipher &cipher : Ciphers::cipherRegistry())
        width = std::max(width, cipher.cliName.size() + 1);
    for (const Cipher &cipher : Ciphers::cipherRegistry()) {
        list.append(QJsonObject {{QStringLiteral("name"), cipher.cliName},
                                 {QStringLiteral("bezeichnung"), cipher.germanName},
                                 {QStringLiteral("erklaerung"), cipher.explanation}});
        result.fields.push_back(Field {cipher.cliName,
                                       {},
                                       {},
                                       cipher.cliName.leftJustified(width) + cipher.germanName,
                                       Field::Show::TextOnly});
    }
    result.fields.push_back(Field {kName, {}, list, {}, Field::Show::JsonOnly});
    sink.report(result);
}

// One cipher of the list with its explanation and its parameters as options.
void reportCipher(const Cipher &cipher, ResultSink &sink)
{
    Result result;
    result.linePerField = true;
    QJsonArray params;
    QStringList lines;
    for (const ParamDecl &decl : cipher.params) {
        params.append(QJsonObject {{QStringLiteral("option"), QStringLiteral("--") + decl.key},
                                   {QStringLiteral("bezeichnung"), decl.label},
                                   {QStringLiteral("vorgabe"), decl.defaultValue},
                                   {QStringLiteral("erklaerung"), decl.help}});
        const QString value = valueNameOf(decl);
        lines.append(QStringLiteral("  --%1%2  %3")
                         .arg(decl.key, value.isEmpty() ? QString() : u' ' + value, decl.help));
    }
    result.fields = {
        Field {
            kName, {}, cipher.cliName, cipher.cliName + QStringLiteral(": ") + cipher.germanName},
        Field {QStringLiteral("erklaerung"), {}, {}, cipher.explanation},
        Field {QStringLiteral("parameter"),
               {},
               params,
               lines.isEmpty() ? QStringLiteral("ohne Parameter")
                               : QStringLiteral("Parameter:\n") + lines.join(u'\n')}};
    sink.report(result);
}

const Cipher &chosenCipher(const Options &options)
{
    const QString name = options.value(kName);
    if (name.isEmpty())
        throw UsageError {
            QStringLiteral("Kein Verfahren angegeben: quarvel-cli chiffre NAME "
                           "[TEXT ...]; die Namen zeigt quarvel-cli chiffre --liste")};
    const Cipher *cipher = Ciphers::findCipher(name.toLower());
    if (!cipher)
        throw UsageError {
            QStringLiteral(
                "Unbekanntes Verfahren „%1“; die Namen zeigt quarvel-cli chiffre --liste")
                .arg(name)};
    return *cipher;
}

// The parameters as given; an option of another cipher is a mistake, not something to ignore.
Ciphers::ParamValues givenParams(const Cipher &cipher, const Options &options)
{
    Ciphers::ParamValues values;
    for (const Cipher &other : Ciphers::cipherRegistry()) {
        for (const ParamDecl &decl : other.params) {
            if (!options.has(decl.key) || values.contains(decl.key))
                continue;
            const ParamDecl *own = cipher.param(decl.key);
            if (!own)
                throw UsageError {QStringLiteral("Die Option „--%1“ gilt nicht für „%2“")
                                      .arg(decl.key, cipher.cliName)};
            values.insert(decl.key,
                          own->kind == ParamKind::Switch ? QStringLiteral("1")
                                                         : options.value(decl.key));
        }
    }
    return values;
}

Handler chiffreHandler(const Options &options)
{
    if (options.has(kList) && !options.has(kName))
        return reportList;
    const Cipher &cipher = chosenCipher(options);
    if (options.has(kList))
        return [&cipher](const QString &, ResultSink &sink) { reportCipher(cipher, sink); };
    const Ciphers::ParamValues values = givenParams(cipher, options);
    const bool decode = options.has(kDecode);
    // An invalid parameter fails here once, before any input is read.
    decode ? cipher.decode(QString(), values) : cipher.encode(QString(), values);
    const QString direction =
        decode ? QStringLiteral("entschluesseln") : QStringLiteral("verschluesseln");
    return [&cipher, values, decode, direction](const QString &input, ResultSink &sink) {
        Result result;
        result.fields = {
            field(QStringLiteral("ausgabe"), {},
                  decode ? cipher.decode(input, values) : cipher.encode(input, values)),
            Field {kName, {}, cipher.cliName, {}, Field::Show::JsonOnly},
            Field {QStringLiteral("richtung"), {}, direction, {}, Field::Show::JsonOnly}};
        sink.report(result);
    };
}

std::vector<OptionDecl> chiffreOptions()
{
    std::vector<OptionDecl> options = {
        {{QStringLiteral("--liste")}, kList, {}, QStringLiteral("alle Verfahren mit Namen")},
        {{QStringLiteral("-d"), QStringLiteral("--entschluesseln")},
         kDecode,
         {},
         QStringLiteral("entschlüsseln (sonst verschlüsseln)")}};
    for (OptionDecl &option : parameterOptions())
        options.push_back(std::move(option));
    return options;
}

} // namespace

Command chiffreCommand()
{
    Command command {
        {QStringLiteral("chiffre"), QStringLiteral("cipher")},
        QStringLiteral("klassische Chiffren und Codes: Atbash, Playfair, Morse, Base64, …"),
        QStringLiteral("NAME [TEXT ...]  |  --liste [NAME]"),
        QStringLiteral(
            "Ver- oder entschlüsselt den Text mit dem Verfahren NAME (quarvel-cli chiffre --liste\n"
            "zeigt alle, --liste NAME die Parameter eines Verfahrens). Die Parameter des\n"
            "Verfahrens sind Optionen; ohne eine Option gilt ihre Vorgabe. Leerzeichen in einem\n"
            "Schlüssel zählen nicht. Ein Text, der mit „-“ beginnt und wie eine Option aussieht,\n"
            "steht nach „--“. Ein ungültiger Schlüssel oder Text gibt die Meldung und den "
            "Rückgabewert "
            "1.\n\n"
            "Beispiele: quarvel-cli chiffre atbash 'Hallo Welt'        ergibt Szool Dvog\n"
            "           quarvel-cli chiffre affin --a 5 --b 8 AFFIN    ergibt IHHWV\n"
            "           quarvel-cli chiffre morse -d '.... .. / -.. ..' ergibt HI DI\n"
            "           quarvel-cli chiffre --liste playfair           zeigt die Parameter"),
        chiffreOptions(),
        InputKind::Line,
        chiffreHandler};
    command.operand = kName;
    command.readsNoInput = [](const Options &options) { return options.has(kList); };
    return command;
}

} // namespace Cli
