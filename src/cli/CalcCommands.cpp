// The subcommands of the calculating tools, built from their declarations: the task word (or
// switch) picks the tool, the words after it fill its positional inputs in order, every other
// input is an option named by its key.
#include "cli/CommandTable.h"
#include "logic/calc/CalcTool.h"
#include "logic/common/QuarvelError.h"

#include <QRegularExpression>

namespace Cli {
namespace {

using Calc::InputDecl;
using Calc::InputKind;
using Calc::Tool;

struct Word
{
    qsizetype start;
    QString text;
};

std::vector<Word> wordsOf(const QString &input)
{
    static const QRegularExpression word(QStringLiteral("\\S+"));
    std::vector<Word> words;
    for (auto it = word.globalMatch(input); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        words.push_back({match.capturedStart(), match.captured()});
    }
    return words;
}

bool isTime(const QString &word)
{
    static const QRegularExpression time(QStringLiteral("^\\d{1,2}:\\d{2}(:\\d{2})?$"));
    return time.match(word).hasMatch();
}

bool hasTaskWords(const QString &command)
{
    for (const Tool *tool : Calc::toolsOfCommand(command)) {
        if (!tool->task.isEmpty() && !tool->taskIsOption)
            return true;
    }
    return false;
}

QStringList taskWords(const QString &command)
{
    QStringList words;
    for (const Tool *tool : Calc::toolsOfCommand(command)) {
        if (!tool->taskIsOption)
            words.append(tool->task);
    }
    return words;
}

const Tool &chosenTool(const QString &command, const Options &options, std::vector<Word> &words)
{
    for (const Tool *tool : Calc::toolsOfCommand(command)) {
        if (tool->taskIsOption && options.has(tool->task))
            return *tool;
    }
    if (!hasTaskWords(command))
        return *Calc::toolsOfCommand(command).front();
    const QString task = words.empty() ? QString() : words.front().text.toLower();
    for (const Tool *tool : Calc::toolsOfCommand(command)) {
        if (!tool->taskIsOption && tool->task == task) {
            words.erase(words.begin());
            return *tool;
        }
    }
    throw QuarvelError(QStringLiteral("Unbekannte Aufgabe „%1“ (möglich: %2)")
                           .arg(task, taskWords(command).join(QStringLiteral(", "))));
}

Calc::Values valuesOf(const Tool &tool, const QString &input, std::vector<Word> words,
                      const Options &options)
{
    Calc::Values values;
    std::size_t next = 0;
    for (const InputDecl &decl : tool.inputs) {
        if (!decl.positional) {
            if (options.has(decl.key))
                values.insert(decl.key,
                              decl.kind == InputKind::Switch ? QStringLiteral("1")
                                                             : options.value(decl.key));
            continue;
        }
        if (next >= words.size())
            continue;
        if (decl.rest) {
            values.insert(decl.key, input.mid(words[next].start));
            next = words.size();
            continue;
        }
        QString text = words[next++].text;
        if (decl.kind == InputKind::Date && next < words.size() && isTime(words[next].text))
            text += u' ' + words[next++].text;
        values.insert(decl.key, text);
    }
    if (next < words.size())
        throw QuarvelError(QStringLiteral("Zu viele Angaben ab „%1“").arg(words[next].text));
    return values;
}

// Options of the command's other tools are a mistake, not something to ignore.
void refuseForeignOptions(const QString &command, const Tool &tool, const Options &options)
{
    for (const Tool *other : Calc::toolsOfCommand(command)) {
        for (const InputDecl &decl : other->inputs) {
            if (!decl.positional && options.has(decl.key) && !tool.input(decl.key))
                throw QuarvelError(QStringLiteral("Die Option „--%1“ gilt nicht für „%2“")
                                       .arg(decl.key, tool.germanName));
        }
    }
}

void report(const Tool &tool, const Calc::Outcome &outcome, ResultSink &sink)
{
    Result result;
    result.linePerField = true;
    for (const Calc::ResultDecl &decl : tool.results) {
        if (!outcome.contains(decl.key))
            continue;
        const Calc::ResultValue &value = outcome.value(decl.key);
        const Field::Show show = decl.show == Calc::ResultDecl::Show::JsonOnly
            ? Field::Show::JsonOnly
            : decl.show == Calc::ResultDecl::Show::TextOnly ? Field::Show::TextOnly
                                                            : Field::Show::Both;
        // A text of several lines stands below its label.
        const QString label = value.text.contains(u'\n') ? QString() : decl.label;
        result.fields.push_back(Field {decl.key, label, value.json, value.text, show});
    }
    sink.report(result);
}

QString valueNameOf(const InputDecl &decl)
{
    switch (decl.kind) {
    case InputKind::Choice:
        return decl.choices.size() <= 6 ? decl.choices.join(u'|') : QStringLiteral("NAME");
    case InputKind::Switch:
        return {};
    case InputKind::Integer:
        return QStringLiteral("N");
    case InputKind::File:
        return QStringLiteral("DATEI");
    default:
        return decl.key.toUpper();
    }
}

std::vector<OptionDecl> optionsOf(const QString &command)
{
    std::vector<OptionDecl> options;
    QStringList seen;
    for (const Tool *tool : Calc::toolsOfCommand(command)) {
        if (tool->taskIsOption) {
            options.push_back(
                {{QStringLiteral("--") + tool->task}, tool->task, {}, tool->explanation});
            continue;
        }
        for (const InputDecl &decl : tool->inputs) {
            if (decl.positional || seen.contains(decl.key))
                continue;
            seen.append(decl.key);
            options.push_back(
                {{QStringLiteral("--") + decl.key}, decl.key, valueNameOf(decl), decl.help});
        }
    }
    return options;
}

QString synopsisOf(const Tool &tool)
{
    QString line = tool.taskIsOption ? QStringLiteral("--") + tool.task : tool.task;
    for (const InputDecl &decl : tool.inputs) {
        if (decl.positional) {
            const QString name =
                decl.key.toUpper() + (decl.rest ? QStringLiteral(" ...") : QString());
            line += u' ' + (decl.optional ? u'[' + name + u']' : name);
        }
    }
    return line.trimmed();
}

Command calcCommand(const QString &name, const QString &alias, const QString &summary)
{
    QString description;
    QStringList synopses;
    for (const Tool *tool : Calc::toolsOfCommand(name)) {
        synopses.append(synopsisOf(*tool));
        description += QStringLiteral("  %1\n      %2\n").arg(synopsisOf(*tool), tool->explanation);
    }
    description += QStringLiteral("\nBeispiele:\n");
    for (const Tool *tool : Calc::toolsOfCommand(name))
        description += QStringLiteral("  quarvel-cli %1\n").arg(tool->example);
    description.chop(1);
    Command command {{name, alias},
                     summary,
                     hasTaskWords(name) ? QStringLiteral("AUFGABE [ANGABEN ...]")
                                        : synopses.join(QStringLiteral("  |  ")),
                     description,
                     optionsOf(name),
                     Cli::InputKind::Line,
                     [name](const Options &options) -> Handler {
                         return [name, options](const QString &input, ResultSink &sink) {
                             std::vector<Word> words = wordsOf(input);
                             const Tool &tool = chosenTool(name, options, words);
                             refuseForeignOptions(name, tool, options);
                             report(tool, tool.run(valuesOf(tool, input, words, options)), sink);
                         };
                     }};
    if (hasTaskWords(name)) {
        command.textsOnlyNameTask = [name](const QStringList &texts) {
            return texts.size() == 1 && taskWords(name).contains(texts.constFirst().toLower());
        };
    }
    return command;
}

} // namespace

Command datumCommand()
{
    return calcCommand(
        QStringLiteral("datum"), QStringLiteral("date"),
        QStringLiteral("Datum und Zeit: Wochentag, Abstand, plus Tage, Unix, Excel"));
}

Command zahlCommand()
{
    return calcCommand(QStringLiteral("zahl"), QStringLiteral("number"),
                       QStringLiteral("Primzahlen, Faktoren, Teiler, Folgen, Konstanten, Basen"));
}

Command pruefzifferCommand()
{
    return calcCommand(
        QStringLiteral("pruefziffer"), QStringLiteral("checkdigit"),
        QStringLiteral("Prüfziffern: ISBN, EAN, IBAN, Luhn, Steuer-ID, Euro-Scheine …"));
}

Command hashCommand()
{
    Command command =
        calcCommand(QStringLiteral("hash"), QStringLiteral("digest"),
                    QStringLiteral("Hashwerte: MD5, SHA-1, SHA-2, SHA-3, Keccak, BLAKE2, HMAC"));
    // "hash --datei F" needs no text.
    command.runsWithoutText = [](const Options &options) {
        return options.has(QStringLiteral("datei"));
    };
    return command;
}

} // namespace Cli
