#include "logic/formula/SheetFile.h"

#include "logic/common/FileOpenError.h"
#include "logic/common/QuarvelError.h"
#include "logic/common/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace Formula {

namespace {

const QString kFormat = QStringLiteral("quarvel-formelblatt");
constexpr int kVersion = 1;

QString textField(const QJsonObject &object, const QString &key, const QString &where)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return {};
    if (!value.isString())
        throw QuarvelError(QStringLiteral("Im Formelblatt ist „%1“ %2 kein Text.").arg(key, where));
    return value.toString();
}

} // namespace

QByteArray sheetToJson(const SheetDocument &document)
{
    QJsonArray entries;
    for (const SheetEntry &entry : document.entries)
        entries.append(QJsonObject {{QStringLiteral("name"), entry.name},
                                    {QStringLiteral("formel"), entry.formula}});
    const QJsonObject root {{QStringLiteral("format"), kFormat},
                            {QStringLiteral("version"), kVersion},
                            {QStringLiteral("werte"), entries},
                            {QStringLiteral("koordinate"), document.coordinate}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

SheetDocument sheetFromJson(const QByteArray &json)
{
    QJsonParseError parseError;
    const QJsonDocument parsed = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        throw QuarvelError(QStringLiteral("Das Formelblatt ist kein gültiges JSON (Byte %1: %2).")
                               .arg(parseError.offset + 1)
                               .arg(parseError.errorString()));
    const QJsonObject root = parsed.object();
    if (!parsed.isObject() || root.value(QStringLiteral("format")).toString() != kFormat)
        throw QuarvelError(QStringLiteral("Die Datei ist kein Formelblatt von Quarvel (es fehlt "
                                          "\"format\": \"%1\").")
                               .arg(kFormat));
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != kVersion)
        throw QuarvelError(QStringLiteral("Das Formelblatt hat die Version %1; gelesen wird "
                                          "Version %2.")
                               .arg(version.isDouble() ? QString::number(version.toDouble())
                                                       : QStringLiteral("(keine)"))
                               .arg(kVersion));
    const QJsonValue list = root.value(QStringLiteral("werte"));
    if (!list.isUndefined() && !list.isArray())
        throw QuarvelError(QStringLiteral("Im Formelblatt ist „werte“ keine Liste."));
    const QJsonArray array = list.toArray();
    if (array.size() > kMaxSheetEntries)
        throw QuarvelError(QStringLiteral("Das Formelblatt hat %1 Zeilen; höchstens %2 sind "
                                          "möglich.")
                               .arg(array.size())
                               .arg(kMaxSheetEntries));
    SheetDocument document;
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QString where = QStringLiteral("in Zeile %1").arg(i + 1);
        if (!array.at(i).isObject())
            throw QuarvelError(QStringLiteral("Im Formelblatt ist Zeile %1 kein Objekt mit "
                                              "„name“ und „formel“.")
                                   .arg(i + 1));
        const QJsonObject entry = array.at(i).toObject();
        document.entries.push_back({textField(entry, QStringLiteral("name"), where),
                                    textField(entry, QStringLiteral("formel"), where)});
    }
    document.coordinate = textField(root, QStringLiteral("koordinate"), QString());
    return document;
}

SheetDocument readSheetFile(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() && QFileInfo::exists(path))
        throw QuarvelError(QStringLiteral("%1 ist keine Datei.").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw QuarvelError(cannotOpenFileText(path, file.errorString()));
    if (file.size() > kMaxSheetFileBytes)
        throw QuarvelError(QStringLiteral("%1 ist mit %2 Bytes zu groß für ein Formelblatt "
                                          "(höchstens %3).")
                               .arg(path)
                               .arg(file.size())
                               .arg(kMaxSheetFileBytes));
    const QByteArray data = file.read(kMaxSheetFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw QuarvelError(cannotOpenFileText(path, file.errorString()));
    if (data.size() > kMaxSheetFileBytes) // a pipe or device says no size beforehand
        throw QuarvelError(QStringLiteral("%1 ist zu groß für ein Formelblatt (höchstens %2 "
                                          "Bytes).")
                               .arg(path)
                               .arg(kMaxSheetFileBytes));
    try {
        return sheetFromJson(data);
    } catch (const QuarvelError &error) {
        throw QuarvelError(QStringLiteral("%1: %2").arg(path, error.message()));
    }
}

QString writeSheetFile(const QString &path, const SheetDocument &document)
{
    const QByteArray json = sheetToJson(document);
    return writeFileSafely(
        path, [&json](QIODevice &device) { return device.write(json) == json.size(); });
}

} // namespace Formula
