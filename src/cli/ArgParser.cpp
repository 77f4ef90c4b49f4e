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

// Only a word of the form of an option is one: "-n" (a dash and one letter) or "--name",
// "--name=value" (two dashes, a letter, then letters, digits and dashes). Everything else that
// begins with a dash is text: negative numbers ("-5", "-1,5"), Morse code ("- ... .-..", "--..")
// and words like "-Hallo".
bool looksLikeOption(const QString &token)
{
    const auto isAsciiLetter = [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    };
    if (token.size() == 2)
        return token.front() == u'-' && isAsciiLetter(token.at(1));
    if (token.size() < 3 || !token.startsWith(QStringLiteral("--")) || !isAsciiLetter(token.at(2)))
        return false;
    const qsizetype equals = token.indexOf(u'=');
    const qsizetype end = equals < 0 ? token.size() : equals;
    for (qsizetype i = 3; i < end; ++i) {
        const QChar c = token.at(i);
        if (!isAsciiLetter(c) && !c.isDigit() && c != u'-')
            return false;
    }
    return true;
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
        usage(QStringLiteral("Unbekannte Option „%1“ für „%2“; ein Text, der mit „-“ beginnt, "
                             "steht nach „--“")
                  .arg(name, invocation.command->names.constFirst()));
    if (option->valueName.isEmpty()) {
        if (inlineValue)
            usage(QStringLiteral("Die Option „%1“ hat keinen Wert").arg(name));
        invocation.options.set(option->key, QString(), name);
        return 1;
    }
    if (inlineValue) {
        invocation.options.set(option->key, *inlineValue, name);
        return 1;
    }
    if (i + 1 >= arguments.size())
        usage(
            QStringLiteral("Die Option „%1“ braucht einen Wert (%2)").arg(name, option->valueName));
    invocation.options.set(option->key, arguments.at(i + 1), name);
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

// Everything after the subcommand's name.
void readCommand(const QStringList &arguments, qsizetype next, Invocation &invocation)
{
    readTail(arguments, next, invocation);
    const Command &command = *invocation.command;
    if (command.readsNoInput && !invocation.help && command.readsNoInput(invocation.options)) {
        if (!command.operand.isEmpty() && !invocation.texts.isEmpty())
            invocation.options.set(command.operand, invocation.texts.takeFirst());
        if (!invocation.texts.isEmpty())
            usage(QStringLiteral("„%1“ liest hier keinen Text: „%2“")
                      .arg(command.names.constFirst(), invocation.texts.constFirst()));
        invocation.fromStdin = false;
        return;
    }
    if (!command.operand.isEmpty() && !invocation.help) {
        if (invocation.texts.isEmpty()) {
            invocation.fromStdin = false;
            return;
        }
        invocation.options.set(command.operand, invocation.texts.takeFirst());
    }
    if (invocation.texts == QStringList {QStringLiteral("-")})
        invocation.texts.clear();
    else if (invocation.texts.contains(QStringLiteral("-")))
        usage(QStringLiteral("„-“ (Standardeingabe) steht allein, ohne weiteren Text"));
    const auto &onlyTask = command.textsOnlyNameTask;
    if (!invocation.texts.isEmpty() && onlyTask && onlyTask(invocation.texts)) {
        invocation.taskPrefix = invocation.texts.join(u' ');
        invocation.texts.clear();
    }
    invocation.fromStdin = invocation.texts.isEmpty();
    if (invocation.fromStdin && command.runsWithoutText &&
        command.runsWithoutText(invocation.options))
        invocation.fromStdin = false;
    if (command.input == InputKind::Document && invocation.texts.size() > 1)
        usage(QStringLiteral("„%1“ liest genau eine Datei").arg(command.names.constFirst()));
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
    try {
        readCommand(arguments, next, invocation);
    } catch (UsageError &error) {
        error.command = invocation.command;
        throw;
    }
    return invocation;
}

} // namespace Cli
