#include "cli/CliCommand.h"

namespace Cli {

Field field(const QString &key, const QString &label, const QString &text)
{
    return Field {key, label, QJsonValue(QJsonValue::Undefined), text};
}

Field field(const QString &key, const QString &label, qint64 value)
{
    return Field {key, label, QJsonValue(value), QString::number(value)};
}

void addIterationRows(Result &result, const QStringList &sums, bool json)
{
    if (!json) {
        for (qsizetype i = 0; i < sums.size(); ++i) {
            result.fields.push_back(Field {{},
                                           QString::number(i + 1) + QStringLiteral(". Iteration"),
                                           {},
                                           sums.at(i),
                                           Field::Show::TextOnly});
        }
        return;
    }
    QJsonArray values;
    for (const QString &sum : sums)
        values.append(sum.toLongLong());
    result.fields.push_back(
        Field {QStringLiteral("quersummen"), {}, values, {}, Field::Show::JsonOnly});
}

void addIterationRows(Result &result, const QStringList &sums)
{
    addIterationRows(result, sums, false);
    addIterationRows(result, sums, true);
}

QString choice(const Options &options, const QString &key, const QStringList &allowed,
               const QString &fallback)
{
    if (!options.has(key))
        return fallback;
    const QString value = options.value(key).toLower();
    if (!allowed.contains(value))
        throw UsageError {QStringLiteral("Ungültiger Wert „%1“ für %2 (erlaubt: %3)")
                              .arg(options.value(key), options.spelling(key),
                                   allowed.join(QStringLiteral(", ")))};
    return value;
}

} // namespace Cli
