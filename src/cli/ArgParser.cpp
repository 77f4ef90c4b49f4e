#include "cli/ArgParser.h"

#include "cli/CommandTable.h"

#include <optional>

namespace Cli {
namespace {

const QStringList kHelpNames = {QStringLiteral("-h"), QStringLiteral("--help"),
                                QStringLiteral("--hilfe")};
const QString kJsonName = QStringLiteral("--json");

[[noreturn]] void usage(const QString &message)
{
    throw UsageError {message};
}

// "-5", "-1,5", "-.5": a negative number is an input, never an option.
bool looksLikeOption(const QString &token)
{
    if (token.size() < 2 || token.front() != u'-')
        return false;
    const QChar second = token.at(1);
    return !second.isDigit() && second != u',' && second != u'.';
}

// Reads the global switches and the subcommand name; returns the index after the name.
qsizetype readHead(const QStringList &arguments, Invocation &invocation)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &token = arguments.at(i);
        if (kHelpNames.contains(token)) {
            invocation.help = true;
        } else if (token == kJsonName) {
            invocation.json = true;
        } else if (looksLikeOption(token)) {
            usage(QStringLiteral("Unbekannte Option „%1“").arg(token));
        } else {
            invocation.command = findCommand(token);
            if (!invocation.command)
                usage(QStringLiteral("Unbekannter Befehl „%1“").arg(token));
            return i + 1;
        }
    }
    return arguments.size();
}

const OptionDecl *findOption(const Command &command, const QString &name)
{
    for (const OptionDecl &option : command.options) {
        if (option.names.contains(name))
            return &option;
    }
    return nullptr;
}

// One option token (with its value from the next token where it needs one); returns how many
// tokens it used.
qsizetype readOption(const QStringList &arguments, qsizetype i, Invocation &invocation)
{
    const QString &token = arguments.at(i);
    QString name = token;
    std::optional<QString> inlineValue;
    const qsizetype equals = token.indexOf(u'=');
    if (token.startsWith(QStringLiteral("--")) && equals > 2) {
        name = token.left(equals);
        inlineValue = token.mid(equals + 1);
    }
    const OptionDecl *option = findOption(*invocation.command, name);
    if (!option)
        usage(QStringLiteral("Unbekannte Option „%1“ für „%2“")
                  .arg(name, invocation.command->names.constFirst()));
    if (option->valueName.isEmpty()) {
        if (inlineValue)
            usage(QStringLiteral("Die Option „%1“ hat keinen Wert").arg(name));
        invocation.options.set(option->key, QString());
        return 1;
    }
    if (inlineValue) {
        invocation.options.set(option->key, *inlineValue);
        return 1;
    }
    if (i + 1 >= arguments.size())
        usage(
            QStringLiteral("Die Option „%1“ braucht einen Wert (%2)").arg(name, option->valueName));
    invocation.options.set(option->key, arguments.at(i + 1));
    return 2;
}

void readTail(const QStringList &arguments, qsizetype i, Invocation &invocation)
{
    bool optionsEnded = false;
    while (i < arguments.size()) {
        const QString &token = arguments.at(i);
        if (!optionsEnded && token == QStringLiteral("--")) {
            optionsEnded = true;
            ++i;
        } else if (!optionsEnded && kHelpNames.contains(token)) {
            invocation.help = true;
            ++i;
        } else if (!optionsEnded && token == kJsonName) {
            invocation.json = true;
            ++i;
        } else if (!optionsEnded && looksLikeOption(token)) {
            i += readOption(arguments, i, invocation);
        } else {
            invocation.texts.append(token);
            ++i;
        }
    }
}

} // namespace

Invocation parseArguments(const QStringList &arguments)
{
    Invocation invocation;
    const qsizetype next = readHead(arguments, invocation);
    if (!invocation.command) {
        if (!invocation.help)
            usage(QStringLiteral("Kein Befehl angegeben"));
        return invocation;
    }
    readTail(arguments, next, invocation);
    if (!invocation.command->operand.isEmpty() && !invocation.help) {
        if (invocation.texts.isEmpty()) {
            invocation.fromStdin = false;
            return invocation;
        }
        invocation.options.set(invocation.command->operand, invocation.texts.takeFirst());
    }
    if (invocation.texts == QStringList {QStringLiteral("-")})
        invocation.texts.clear();
    else if (invocation.texts.contains(QStringLiteral("-")))
        usage(QStringLiteral("„-“ (Standardeingabe) steht allein, ohne weiteren Text"));
    const auto &onlyTask = invocation.command->textsOnlyNameTask;
    if (!invocation.texts.isEmpty() && onlyTask && onlyTask(invocation.texts)) {
        invocation.taskPrefix = invocation.texts.join(u' ');
        invocation.texts.clear();
    }
    invocation.fromStdin = invocation.texts.isEmpty();
    const auto &withoutText = invocation.command->runsWithoutText;
    if (invocation.fromStdin && withoutText && withoutText(invocation.options))
        invocation.fromStdin = false;
    if (invocation.command->input == InputKind::Document && invocation.texts.size() > 1)
        usage(QStringLiteral("„%1“ liest genau eine Datei")
                  .arg(invocation.command->names.constFirst()));
    return invocation;
}

} // namespace Cli
