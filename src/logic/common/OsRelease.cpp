#include "logic/common/OsRelease.h"

#include <QList>
#include <QRegularExpression>

namespace OsRelease {

namespace {

// Removes one level of quotes; inside double quotes a backslash takes the next character as is.
QString unquote(const QString &raw)
{
    const QString value = raw.trimmed();
    if (value.size() < 2)
        return value;
    const QChar quote = value.front();
    if ((quote != u'"' && quote != u'\'') || value.back() != quote)
        return value;
    QString result;
    const QString inner = value.mid(1, value.size() - 2);
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (quote == u'"' && inner[i] == u'\\' && i + 1 < inner.size())
            ++i;
        result += inner[i];
    }
    return result;
}

} // namespace

Distribution parseOsRelease(const QByteArray &content)
{
    QString name;
    QString version;
    Distribution d;
    const QList<QByteArray> lines = content.split('\n');
    for (const QByteArray &line : lines) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (text.isEmpty() || text.startsWith(u'#'))
            continue;
        const qsizetype eq = text.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = text.left(eq);
        const QString value = unquote(text.mid(eq + 1));
        if (key == u"PRETTY_NAME")
            d.prettyName = value;
        else if (key == u"NAME")
            name = value;
        else if (key == u"VERSION")
            version = value;
        else if (key == u"ID")
            d.id = value;
    }
    if (d.prettyName.isEmpty())
        d.prettyName = version.isEmpty() ? name : name + u' ' + version;
    return d;
}

OsVersionRecord linuxRecord(const Distribution &distribution, const QString &kernelRelease)
{
    OsVersionRecord r;
    r.platformId = kPlatformLinux;
    r.distribution = distribution.prettyName;
    r.distributionId = distribution.id;
    static const QRegularExpression numbers(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const QRegularExpressionMatch m = numbers.match(kernelRelease);
    if (m.hasMatch()) {
        r.major = m.captured(1).toUInt();
        r.minor = m.captured(2).toUInt();
        r.build = m.captured(3).toUInt();
    }
    if (!kernelRelease.isEmpty())
        r.servicePack = QStringLiteral("Kernel ") + kernelRelease.left(120);
    return r;
}

std::optional<quint64> memAvailableBytes(const QByteArray &meminfo)
{
    static const QRegularExpression line(QStringLiteral("^MemAvailable:\\s+(\\d{1,15})\\s*kB\\s*$"),
                                         QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = line.match(QString::fromLatin1(meminfo));
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toULongLong() * 1024;
}

} // namespace OsRelease
