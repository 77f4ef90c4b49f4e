#include "logic/calc/CalcDates.h"
#include "logic/calc/CalcTool.h"
#include "logic/calc/CheckDigits.h"
#include "logic/calc/HashTools.h"
#include "logic/calc/NumberTools.h"

namespace Calc {

const std::vector<Tool> &calcTools()
{
    // A new tool is one declaration in the file of its family; its family is one line here.
    static const std::vector<Tool> tools = [] {
        std::vector<Tool> all;
        for (auto family : {dateTools, primeTools, sequenceTools, constantTools, baseTools,
                            checkDigitTools, hashTools}) {
            for (Tool &tool : family())
                all.push_back(std::move(tool));
        }
        return all;
    }();
    return tools;
}

const QStringList &calcNodes()
{
    static const QStringList nodes = {
        QStringLiteral("Datum & Zeit"), QStringLiteral("Primzahlen & Teiler"),
        QStringLiteral("Zahlenfolgen"), QStringLiteral("Konstanten"),
        QStringLiteral("Zahlenbasen"),  QStringLiteral("Prüfziffern"),
        QStringLiteral("Hashes")};
    return nodes;
}

} // namespace Calc
