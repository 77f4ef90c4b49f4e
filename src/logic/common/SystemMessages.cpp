#include "logic/common/SystemMessages.h"

#include <QHash>
#include <QXmlStreamReader>

namespace SystemMessages {

QString germanReason(const QString &reason)
{
    // The texts of the C library (glibc) and of Qt for the errors a file or a pipe meets.
    static const QHash<QString, QString> german = {
        {QStringLiteral("No such file or directory"),
         QStringLiteral("Datei oder Verzeichnis nicht gefunden")},
        {QStringLiteral("Permission denied"), QStringLiteral("Keine Berechtigung")},
        {QStringLiteral("Is a directory"), QStringLiteral("Ist ein Verzeichnis")},
        {QStringLiteral("Not a directory"), QStringLiteral("Ist kein Verzeichnis")},
        {QStringLiteral("No space left on device"),
         QStringLiteral("Auf dem Gerät ist kein Speicherplatz mehr verfügbar")},
        {QStringLiteral("Broken pipe"),
         QStringLiteral("Der Empfänger der Ausgabe ist beendet (Datenübergabe unterbrochen)")},
        {QStringLiteral("Input/output error"), QStringLiteral("Eingabe-/Ausgabefehler")},
        {QStringLiteral("Read-only file system"), QStringLiteral("Das Dateisystem ist nur lesbar")},
        {QStringLiteral("Disk quota exceeded"),
         QStringLiteral("Der zugewiesene Speicherplatz (Quota) ist überschritten")},
        {QStringLiteral("File name too long"), QStringLiteral("Der Dateiname ist zu lang")},
        {QStringLiteral("Too many levels of symbolic links"),
         QStringLiteral("Zu viele Ebenen symbolischer Verknüpfungen")},
        {QStringLiteral("Too many open files"), QStringLiteral("Zu viele offene Dateien")},
        {QStringLiteral("File too large"), QStringLiteral("Die Datei ist zu groß")},
        {QStringLiteral("Bad file descriptor"), QStringLiteral("Ungültiger Dateideskriptor")},
        {QStringLiteral("File exists"), QStringLiteral("Die Datei existiert bereits")},
        {QStringLiteral("Operation not permitted"),
         QStringLiteral("Die Operation ist nicht erlaubt")},
        {QStringLiteral("Device or resource busy"),
         QStringLiteral("Das Gerät oder die Ressource ist belegt")},
        {QStringLiteral("Text file busy"), QStringLiteral("Die Programmdatei ist in Benutzung")},
        {QStringLiteral("No such device or address"),
         QStringLiteral("Kein solches Gerät und keine solche Adresse")},
        {QStringLiteral("No such device"), QStringLiteral("Kein solches Gerät")},
        {QStringLiteral("Invalid argument"), QStringLiteral("Ungültiges Argument")},
        {QStringLiteral("Cannot allocate memory"),
         QStringLiteral("Nicht genügend Hauptspeicher verfügbar")},
        {QStringLiteral("Out of memory"), QStringLiteral("Nicht genügend Hauptspeicher verfügbar")},
        {QStringLiteral("Resource temporarily unavailable"),
         QStringLiteral("Die Ressource ist zur Zeit nicht verfügbar")},
        {QStringLiteral("Unknown error"), QStringLiteral("Unbekannter Fehler")},
    };
    return german.value(reason, reason);
}

QString germanXmlError(const QXmlStreamReader &xml)
{
    switch (xml.error()) {
    case QXmlStreamReader::NoError:
        return {};
    case QXmlStreamReader::PrematureEndOfDocumentError:
        return QStringLiteral("Das Dokument endet vorzeitig");
    case QXmlStreamReader::UnexpectedElementError:
        return QStringLiteral("Unerwartetes Element");
    case QXmlStreamReader::CustomError:
        return xml.errorString();
    case QXmlStreamReader::NotWellFormedError:
        break;
    }
    // Qt words the many ways of a document that is no well-formed XML in English; the common
    // ones get their German wording, the rest a German sentence of their kind.
    struct Wording
    {
        const char *english;
        const char *german;
    };
    static const Wording wordings[] = {
        {"Opening and ending tag mismatch", "Start- und Ende-Tag passen nicht zusammen"},
        {"Extra content at end of document", "Nach dem Ende des Dokuments steht noch etwas"},
        {"Invalid XML character", "Ungültiges Zeichen im XML"},
        {"Invalid entity value", "Ungültiger Entity-Wert"},
        {"Encountered incorrectly encoded content", "Falsch kodierter Inhalt"},
        {"Premature end of document", "Das Dokument endet vorzeitig"},
        {"Start tag expected", "Hier wird ein Start-Tag erwartet"},
        {"Expected character data", "Hier werden Zeichendaten erwartet"},
        {"XML declaration not at start of document",
         "Die XML-Deklaration steht nicht am Anfang des Dokuments"},
        {"Invalid document", "Ungültiges Dokument"},
        {"not declared", "Ein Name oder Präfix ist nicht deklariert"},
        {"redefined", "Ein Attribut steht doppelt"},
        {"Unexpected", "Unerwartetes Zeichen"},
        {"Expected", "Hier fehlt ein Zeichen"},
        {"encoding", "Unbekannte oder ungültige Kodierung"},
        {"Encoding", "Unbekannte oder ungültige Kodierung"},
        {"version", "Ungültige XML-Version"},
    };
    const QString english = xml.errorString();
    for (const Wording &wording : wordings) {
        if (english.contains(QLatin1String(wording.english)))
            return QString::fromUtf8(wording.german);
    }
    return QStringLiteral("Das Dokument ist kein wohlgeformtes XML");
}

} // namespace SystemMessages
