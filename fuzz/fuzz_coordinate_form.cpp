// The hash search's coordinate form and digest on arbitrary input: the first line is the form,
// the second the hash, the third a position. Parsing ends in a form or in a German message;
// writing never crashes, and a written text matches the digest of itself.
#include "logic/common/QuarvelError.h"
#include "logic/formula/CoordinateHash.h"
#include "logic/formula/PositionReader.h"

#include <QCryptographicHash>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)).split(u'\n');
    std::optional<Formula::CoordinateForm> form;
    try {
        form = Formula::CoordinateForm::fromNameOrText(lines.value(0));
    } catch (const QuarvelError &error) {
        if (!error.message().startsWith(u"Form: "))
            std::abort();
        return 0;
    }
    const auto &methods = Formula::coordinateHashMethods();
    const auto &method = methods[size_t(lines.value(1).size()) % methods.size()];
    try {
        Formula::hashTarget(lines.value(1), method, *form);
    } catch (const QuarvelError &error) {
        if (!error.message().startsWith(u"Hash: "))
            std::abort();
    }
    const Formula::ReadPosition position = Formula::readPosition(lines.value(2).toStdString());
    std::string text;
    if (form->write(position, text) != position.valid)
        std::abort();
    if (!position.valid)
        return 0;
    const QByteArray hex =
        QCryptographicHash::hash(QByteArray::fromStdString(text), method.algorithm).toHex();
    const Formula::HashTarget target = Formula::hashTarget(QString::fromLatin1(hex), method, *form);
    Formula::HashMatcher matcher(target);
    if (!matcher.matches(position))
        std::abort();
    return 0;
}
