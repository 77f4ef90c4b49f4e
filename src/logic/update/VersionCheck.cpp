#include "logic/update/VersionCheck.h"

#include "logic/common/CodePage.h"
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"
#include "logic/update/Downloader.h"

#include <QTemporaryFile>

#include <array>

namespace VersionCheck {

namespace {

// A version part is read as every text that becomes an integer: leading blanks, an optional
// sign, decimal digits or a hexadecimal form, within the signed 32-bit range.
int32_t versionPart(const QString &text)
{
    return Numbers::strToInt(text);
}

std::array<int32_t, 4> splitVersion(QString text)
{
    std::array<int32_t, 4> parts {};
    for (int i = 0; i < 3; ++i) {
        const qsizetype dot = text.indexOf(u'.');
        // Without a further "." the part before it is empty, and that is no integer.
        parts[i] = versionPart(dot < 0 ? QString() : text.left(dot));
        text.remove(0, dot + 1);
    }
    parts[3] = versionPart(text);
    return parts;
}

} // namespace

QString CompareVersions(const QString &local, const QString &server)
{
    const std::array<int32_t, 4> ours = splitVersion(local);
    const std::array<int32_t, 4> theirs = splitVersion(server);
    for (int i = 0; i < 4; ++i) {
        if (theirs[i] > ours[i])
            return QString::fromUtf16(Groesser);
        if (theirs[i] < ours[i])
            return QString::fromUtf16(Kleiner);
    }
    return QString::fromUtf16(Gleich);
}

QString versionFileFirstLine(const QByteArray &bytes)
{
    qsizetype end = 0;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
        ++end;
    return CodePage::fromAnsi(bytes.left(end));
}

QString updateAddress(const QString &updateServer, const QString &fileName)
{
    return updateServer + QString::fromUtf16(UpdatePfad) + fileName;
}

QString updateFileName(const QString &serverVersion)
{
    return QStringLiteral("Quarvelupd.") + serverVersion + QStringLiteral(".exe");
}

std::optional<Result> CheckServerVersion(Downloader &downloader, const QString &updateServer,
                                         const QString &tempPfad, const QString &lokaleVersion,
                                         int deadlineMs)
{
    // Each check has a file of its own, so overlapping checks never share one; it is removed
    // when this function returns, whatever the outcome.
    QTemporaryFile file(tempPfad + QStringLiteral("ver_quarvel_XXXXXX.tmp"));
    if (!file.open())
        return std::nullopt;
    Downloader::Request request;
    request.url = QUrl(updateAddress(updateServer, QString::fromUtf16(VersionsDatei)));
    request.maxBytes = kVersionFileMaxBytes;
    request.firstLineOnly = true;
    request.deadlineMs = deadlineMs;
    if (!downloader.DownloadToFile(request, file))
        return Result {QString::fromUtf16(Nil), std::nullopt};
    if (!file.seek(0))
        return std::nullopt;
    const QString serverVersion = versionFileFirstLine(file.read(kVersionFileMaxBytes));
    try {
        return Result {CompareVersions(lokaleVersion, serverVersion), serverVersion};
    } catch (const QuarvelError &) {
        return std::nullopt; // an error page or a broken file: no verdict
    }
}

} // namespace VersionCheck
