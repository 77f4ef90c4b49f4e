#include "logic/calc/CalcTool.h"

#include "logic/calc/BigNumbers.h"
#include "logic/calc/CalcDates.h"
#include "logic/common/QuarvelError.h"

#include <QFileInfo>

namespace Calc {

const InputDecl *Tool::input(const QString &key) const
{
    for (const InputDecl &decl : inputs) {
        if (decl.key == key)
            return &decl;
    }
    return nullptr;
}

Outcome Tool::run(const Values &values) const
{
    return function(checkInputs(*this, values));
}

void checkInput(const InputDecl &decl, const QString &text)
{
    if (text.trimmed().isEmpty()) {
        if (decl.optional || decl.kind == InputKind::Switch)
            return;
        throw QuarvelError(QStringLiteral("%1: Bitte einen Wert eingeben").arg(decl.label));
    }
    switch (decl.kind) {
    case InputKind::Integer: {
        const mpz_class value = readInteger(text, decl.label);
        if (!decl.minimum.isEmpty() && value < mpz_class(decl.minimum.toStdString()))
            throw QuarvelError(QStringLiteral("%1: Die Zahl muss mindestens %2 sein")
                                   .arg(decl.label, decl.minimum));
        if (!decl.maximum.isEmpty() && value > mpz_class(decl.maximum.toStdString()))
            throw QuarvelError(QStringLiteral("%1: Die Zahl darf höchstens %2 sein")
                                   .arg(decl.label, decl.maximum));
        return;
    }
    case InputKind::Date:
        // Every Gregorian date exists in the Julian calendar too; the tool reads it again in
        // the calendar chosen.
        readDateTime(text, Calendar::Julian, decl.label);
        return;
    case InputKind::Choice:
        if (!decl.choices.contains(text.trimmed().toLower()))
            throw QuarvelError(QStringLiteral("%1: „%2“ gibt es nicht (möglich: %3)")
                                   .arg(decl.label, text, decl.choices.join(QStringLiteral(", "))));
        return;
    case InputKind::File: {
        // A pipe or a device is named as such: it exists, and reading it could block or never end.
        const QFileInfo info(text);
        if (!info.exists())
            throw QuarvelError(
                QStringLiteral("%1: Die Datei „%2“ gibt es nicht").arg(decl.label, text));
        if (!info.isFile())
            throw QuarvelError(
                QStringLiteral("%1: „%2“ ist keine gewöhnliche Datei").arg(decl.label, text));
        return;
    }
    case InputKind::Text:
    case InputKind::Switch:
        return;
    }
}

Values checkInputs(const Tool &tool, const Values &values)
{
    Values checked;
    for (const InputDecl &decl : tool.inputs) {
        const QString text = values.value(decl.key, decl.defaultValue);
        checkInput(decl, text);
        checked.insert(decl.key, decl.kind == InputKind::Choice ? text.trimmed().toLower() : text);
    }
    return checked;
}

const Tool *findCalcTool(const QString &id)
{
    for (const Tool &tool : calcTools()) {
        if (tool.id == id)
            return &tool;
    }
    return nullptr;
}

std::vector<const Tool *> toolsOfCommand(const QString &command)
{
    std::vector<const Tool *> found;
    for (const Tool &tool : calcTools()) {
        if (tool.command == command)
            found.push_back(&tool);
    }
    return found;
}

std::vector<const Tool *> toolsOfNode(const QString &node)
{
    std::vector<const Tool *> found;
    for (const Tool &tool : calcTools()) {
        if (tool.node == node)
            found.push_back(&tool);
    }
    return found;
}

} // namespace Calc
