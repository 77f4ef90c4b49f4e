#include "FortuneText.h"

#include <QDir>
#include <QFileInfo>

namespace FortuneText {

QStringList split(const QString &fileText)
{
    QStringList sayings;
    QString current;
    for (const QStringView line : QStringView(fileText).split(u'\n')) {
        if (line.trimmed() == u"%") {
            sayings.append(current);
            current.clear();
        } else {
            current.append(line).append(u'\n');
        }
    }
    if (!current.trimmed().isEmpty())
        sayings.append(current);
    return sayings;
}

bool isHeldOut(qsizetype index)
{
    return index % 10 == 9;
}

QStringList files(const QString &folder)
{
    QStringList out;
    const QDir dir(folder);
    const auto entries = dir.entryInfoList(QDir::Files | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo &info : entries) {
        const QString name = info.fileName();
        if (name.endsWith(QLatin1String(".dat")) || name.endsWith(QLatin1String(".u8")) ||
            name == QLatin1String("art") || name.contains(QLatin1String("ascii")))
            continue;
        out.append(info.absoluteFilePath());
    }
    return out;
}

} // namespace FortuneText
