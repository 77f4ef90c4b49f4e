#pragma once

// The command-line program's building blocks: a subcommand is one table entry (CommandTable.cpp)
// with its names, its options, its German help and a function that turns the parsed options into
// a handler. The runner feeds that handler one input at a time (an argument text, one line of
// stdin, or a whole file) and renders what it reports as text or as JSON.

#include <QHash>
#include <QJsonArray>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace Cli {

// Wrong use of the program (unknown subcommand or option, a missing or malformed option value):
// exit code 2, nothing is processed.
struct Command;

struct UsageError
{
    QString message;
    // The subcommand the mistake was made in, when known: the hint names its help.
    const Command *command = nullptr;
};

struct OptionDecl
{
    QStringList names; // "-n", "--notation", ...: every spelling the user may write
    QString key; // the name the handler asks for
    QString valueName; // empty for a switch without a value
    QString help; // German, one line
};

// The options as given: a switch maps to the empty text, a valued option to its value.
class Options
{
public:
    bool has(const QString &key) const { return m_values.contains(key); }
    QString value(const QString &key, const QString &fallback = {}) const
    {
        return m_values.value(key, fallback);
    }
    void set(const QString &key, const QString &value) { m_values.insert(key, value); }
    // `spelling` is the option as the user wrote it ("--sprache"), for messages about its value.
    void set(const QString &key, const QString &value, const QString &spelling)
    {
        m_values.insert(key, value);
        m_spellings.insert(key, spelling);
    }
    QString spelling(const QString &key) const
    {
        return m_spellings.value(key, QStringLiteral("--") + key);
    }

private:
    QHash<QString, QString> m_values;
    QHash<QString, QString> m_spellings;
};

// One figure of a result: its JSON key, its German label in the text form (empty: the bare
// value), the value for JSON and its text as the panel shows it. A field whose JSON value is
// left undefined is written to JSON as its text, so the text form builds no JSON value.
struct Field
{
    enum class Show { Both, TextOnly, JsonOnly };

    QString key;
    QString label;
    QJsonValue json;
    QString text;
    Show show = Show::Both;
    // When set, the JSON value is this list of texts as an array (written without building a
    // QJsonArray, which costs a copy of every text).
    std::optional<QStringList> jsonTexts = std::nullopt;
    // When set, the JSON value is an array whose elements this function hands to `element` one
    // at a time, so a list as long as a file need not be held; they are written as they come.
    std::function<void(const std::function<void(const QJsonValue &element)> &)> jsonElements = {};
};

struct Result
{
    std::vector<Field> fields;
    // Text form: every field on a line of its own instead of all on one line joined by " | ".
    bool linePerField = false;
};

// Receives the results of one input; a handler may report several (the Sudoku solutions).
class ResultSink
{
public:
    virtual ~ResultSink() = default;
    virtual bool json() const = 0;
    virtual void report(const Result &result) = 0;
    // True once nothing more can be written (the output failed): a handler that reports many
    // results for one input stops early.
    virtual bool stopped() const { return false; }
    // Something the user should know that is no failure: the input is still processed and the
    // exit code stays. Written to the error output, after the results so far.
    virtual void warn(const QString &message) { Q_UNUSED(message); }
};

// Computes the results of one input; throws QuarvelError for invalid input.
using Handler = std::function<void(const QString &input, ResultSink &sink)>;

// Reads the options once; throws UsageError for a value that makes no sense.
using Prepare = std::function<Handler(const Options &options)>;

// The longest document a command reads unless it names its own limit: far above any text a
// tool panel takes, and small enough to hold with its decoded copy in memory.
constexpr qint64 kMaxDocumentBytes = 64 * 1024 * 1024;

enum class InputKind {
    Line, // a text per argument list or per line of stdin
    Document, // one file (or all of stdin) as one input
};

struct Command
{
    QStringList names; // the German name first, then the English alias
    QString summary; // one line for the program's help
    QString synopsis; // what follows the name in the usage line
    QString description; // German help of the subcommand, lines joined by "\n"
    std::vector<OptionDecl> options;
    InputKind input = InputKind::Line;
    Prepare prepare;
    // A document longer than this (a file or all of stdin) is refused before it is read whole.
    qint64 maxDocumentBytes = kMaxDocumentBytes;
    // For a command whose first words name a task ("rechner entfernung"): true when the texts
    // name nothing but the task. Then every line of stdin is one call of that task.
    std::function<bool(const QStringList &texts)> textsOnlyNameTask = {};
    // Non-empty: the first text names what the subcommand works with ("chiffre NAME TEXT") and
    // reaches prepare as the option of this key; the texts after it are the input. Without any
    // text the subcommand reads nothing and runs once on the empty input ("chiffre --liste").
    QString operand = {};
    // True when the options ask for something that reads no input ("chiffre --liste"): the
    // subcommand then runs once, whatever stands on stdin.
    std::function<bool(const Options &options)> readsNoInput = {};
    // True when these options let the command run once without any text ("hash --datei F").
    std::function<bool(const Options &options)> runsWithoutText = {};
};

// Small helpers for the handlers.
Field field(const QString &key, const QString &label, const QString &text);
Field field(const QString &key, const QString &label, qint64 value);
// The digit-sum rows as the panels show them: "1. Iteration: 12", "2. Iteration: 3"; in JSON
// one list of numbers. With `json` known, only the form that is written is built.
void addIterationRows(Result &result, const QStringList &sums);
void addIterationRows(Result &result, const QStringList &sums, bool json);
// The value of an option that must be one of `allowed` (compared case-insensitively).
QString choice(const Options &options, const QString &key, const QStringList &allowed,
               const QString &fallback);

} // namespace Cli
