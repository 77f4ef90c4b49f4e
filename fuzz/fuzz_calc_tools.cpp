// Every quick calculating tool on arbitrary inputs: the first byte picks the tool, the rest are
// its input texts separated by 0x1F. Only QuarvelError may leave a tool, and every input check
// runs on every text. The slow tools (factoring, constants, sequences) are only checked, and no
// file is read.
#include "logic/calc/CalcTool.h"
#include "logic/common/QuarvelError.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 4096)
        return 0;
    const std::vector<Calc::Tool> &tools = Calc::calcTools();
    const Calc::Tool &tool = tools[data[0] % tools.size()];
    const QStringList texts =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1))
            .split(QChar(0x1F));
    Calc::Values values;
    for (std::size_t i = 0; i < tool.inputs.size() && qsizetype(i) < texts.size(); ++i) {
        const Calc::InputDecl &decl = tool.inputs[i];
        if (decl.kind == Calc::InputKind::File)
            continue;
        values.insert(decl.key, texts.at(qsizetype(i)));
        try {
            Calc::checkInput(decl, texts.at(qsizetype(i)));
        } catch (const QuarvelError &) {
        }
    }
    if (!tool.live)
        return 0;
    try {
        tool.run(values);
    } catch (const QuarvelError &) {
    }
    return 0;
}
