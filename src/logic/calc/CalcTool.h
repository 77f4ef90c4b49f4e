#pragma once

// The calculating tools (dates, numbers, check digits, hashes) as one table. A tool declares its
// German name, where it sits in the navigator, its command-line command and task, its inputs with
// their limits, its named results and one pure function. The generic panel, the command line and
// the help index are all built from the declaration:
//
//   texts typed or given  →  checkInputs() (kinds, limits, German message per input)
//                         →  Tool::run (pure)  →  Outcome (JSON value and text per result key)
//                         →  panel fields / CLI fields in the declared order

#include <QHash>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <vector>

namespace Calc {

// The inputs as text, by input key; a missing key takes the input's default.
using Values = QHash<QString, QString>;

enum class InputKind {
    Text, // free text
    Integer, // a whole number of any size, from `minimum` to `maximum` where they are set
    Date, // a date "2026-12-10" or "10.12.2026", optionally with a time "14:30" or "14:30:15"
    Choice, // one of `choices`
    Switch, // on ("1") or off ("" or "0")
    File, // a path to a file
};

struct InputDecl
{
    InputDecl(QString key, QString label, InputKind kind, QString defaultValue = {})
        : key(std::move(key))
        , label(std::move(label))
        , kind(kind)
        , defaultValue(std::move(defaultValue))
    {
    }

    QString key; // also the command-line option "--" + key unless positional
    QString label; // German caption of the panel field
    InputKind kind = InputKind::Text;
    QString defaultValue;
    QStringList choices; // Choice only
    QString minimum; // Integer only: decimal limits, empty for none
    QString maximum;
    // On the command line a positional input is one word after the task (a Date takes a time
    // word after it too); the last positional input with `rest` takes every word left.
    bool positional = false;
    bool rest = false;
    bool optional = false; // may be left empty
    QString help; // German, one line: field tool tip and command-line help
};

struct ResultDecl
{
    enum class Show { Both, TextOnly, JsonOnly };
    ResultDecl(QString key, QString label, Show show = Show::Both, bool multiline = false)
        : key(std::move(key))
        , label(std::move(label))
        , show(show)
        , multiline(multiline)
    {
    }

    QString key; // JSON key
    QString label; // German caption in the panel and the text form
    Show show = Show::Both;
    bool multiline = false; // long or several lines: the panel gives it a text box
};

// One computed result: its JSON value (undefined: the text as a JSON string) and its text.
struct ResultValue
{
    QJsonValue json = QJsonValue(QJsonValue::Undefined);
    QString text;
};

// The JSON value of a result that is written as its text.
inline QJsonValue asText()
{
    return QJsonValue(QJsonValue::Undefined);
}

// The results by key; a declared result that is missing was not computed for these inputs.
using Outcome = QHash<QString, ResultValue>;

using ToolFunction = Outcome (*)(const Values &values);

struct Tool
{
    QString id; // unique: command and task, "zahl-prim"
    QString germanName; // "Primzahltest"
    QString node; // the navigator node that shows it: "Primzahlen & Teiler"
    QString command; // "zahl"
    QString task; // "prim"; empty for a command with one tool
    bool taskIsOption = false; // the task is a switch ("hash --erkennen") rather than a word
    QString explanation; // German, one line
    std::vector<InputDecl> inputs;
    std::vector<ResultDecl> results;
    ToolFunction function = nullptr;
    bool live = true; // the panel computes on every change; otherwise behind a button
    QString example; // a worked example for the help: the command line after "quarvel-cli"

    const InputDecl *input(const QString &key) const;
    // Fills in defaults, checks every input against its kind and limits and runs the function.
    // Throws QuarvelError with a German message.
    Outcome run(const Values &values) const;
};

// Checks one input's text against its kind and limits; throws QuarvelError naming the input.
void checkInput(const InputDecl &decl, const QString &text);
// Checks every input and returns them with the defaults filled in.
Values checkInputs(const Tool &tool, const Values &values);

// Every tool in navigator order, and the navigator nodes in their order.
const std::vector<Tool> &calcTools();
const QStringList &calcNodes();
const Tool *findCalcTool(const QString &id);
std::vector<const Tool *> toolsOfCommand(const QString &command);
std::vector<const Tool *> toolsOfNode(const QString &node);

} // namespace Calc
