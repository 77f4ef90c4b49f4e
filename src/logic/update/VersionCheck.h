#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class Downloader;

// The version file on the update server and the comparison with the program's own version.
namespace VersionCheck {

inline constexpr char16_t UpdatePfad[] = u"download/quarvel/";
inline constexpr char16_t VersionsDatei[] = u"ver_quarvel.txt";
inline constexpr char16_t Gleich[] = u"gleich";
inline constexpr char16_t Groesser[] = u"größer";
inline constexpr char16_t Kleiner[] = u"kleiner";
inline constexpr char16_t Nil[] = u"NIL";

// What the status bar and the update window say in a build without an update server: no
// check runs then, and "no connection" would only alarm.
inline constexpr char16_t NichtEingerichtet[] = u"Keine Update-Prüfung eingerichtet";

// A build names its update server, or none (the default); without one nothing is checked.
inline bool serverConfigured(const QString &updateServer)
{
    return !updateServer.isEmpty();
}

// No more than this is read of the version file: its first line is all that counts.
inline constexpr qint64 kVersionFileMaxBytes = 4096;
// The fetch of the version file gives up after this long, however steadily bytes drip in.
inline constexpr int kVersionFileDeadlineMs = 30000;

// "gleich", "größer" or "kleiner" for the server's version against the local one. Both texts
// are four integers of the program's integer syntax joined by exactly three "." (" 2.15.13.2"
// and "1.2.3.-4" are versions); leading zeros do not count (0.04.1.00 equals 0.4.1.0). Any
// other text fails with the integer error for the part that is not one.
QString CompareVersions(const QString &local, const QString &server);

// The first line of the version file's bytes (single-byte Windows-1252 text), without its
// line end.
QString versionFileFirstLine(const QByteArray &bytes);

struct Result
{
    QString VersionsVergleich; // "gleich", "größer", "kleiner" or "NIL"
    std::optional<QString> ServerVersion; // none after "NIL"
};

// The whole check: fetches `updateServer` + UpdatePfad + VersionsDatei into a temporary file of
// its own in `tempPfad` (removed in every case) and compares its first line with
// `lokaleVersion`. "NIL" when the fetch fails; no result when the temporary file cannot be made
// or the first line is not a version. Blocks for the duration of the fetch, at most `deadlineMs`.
std::optional<Result> CheckServerVersion(Downloader &downloader, const QString &updateServer,
                                         const QString &tempPfad, const QString &lokaleVersion,
                                         int deadlineMs = kVersionFileDeadlineMs);

// The address of a file in the update folder of the server.
QString updateAddress(const QString &updateServer, const QString &fileName);

// The update program offered for a server version: "Quarvelupd.0.4.2.0.exe".
QString updateFileName(const QString &serverVersion);

} // namespace VersionCheck
