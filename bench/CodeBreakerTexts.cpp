#include "CodeBreakerTexts.h"

#include "logic/language/FortuneText.h"
#include "logic/language/Letters.h"

#include <QFile>
#include <QRegularExpression>

// Every sentence here was written for this benchmark.

namespace {

TextKind listings()
{
    return {
        QStringLiteral("listings"),
        {
            QStringLiteral("Parken könnt ihr am Wanderparkplatz direkt an der Landstraße."),
            QStringLiteral("Der Final liegt gut versteckt hinter einem moosigen Baumstumpf."),
            QStringLiteral("Bitte nehmt einen eigenen Stift mit, das Logbuch ist sehr klein."),
            QStringLiteral("Die Dose ist magnetisch und hängt unter dem Geländer der Brücke."),
            QStringLiteral("Zähle die Fenster am alten Bahnhof und addiere die Hausnummer."),
            QStringLiteral("Im Winter ist der Weg oft glatt, festes Schuhwerk wird empfohlen."),
            QStringLiteral("Tauscht nur Gegenstände von gleichem oder höherem Wert."),
            QStringLiteral("Die Koordinaten zeigen auf einen Zaunpfahl neben der Schutzhütte."),
            QStringLiteral("Nachts ist der Cache mit einer Taschenlampe gut zu finden."),
            QStringLiteral("Achtet auf Muggel, der Spielplatz ist am Wochenende belebt."),
            QStringLiteral("Vom Aussichtsturm siehst du die Kirche, dort beginnt die Runde."),
            QStringLiteral("Die Station drei findest du an der Bank mit der Gedenktafel."),
            QStringLiteral("Bitte verschließt die Dose wieder gut und legt sie zurück."),
        },
        {
            QStringLiteral("Park at the trailhead and follow the blue markers into the woods."),
            QStringLiteral("The container is a small film canister tucked into a stone wall."),
            QStringLiteral("Bring your own pen because the log sheet is tiny and damp."),
            QStringLiteral("Count the windows of the chapel and add the year on the gate."),
            QStringLiteral("Watch for poison ivy along the creek in the summer months."),
            QStringLiteral("The final stage hides behind a fallen oak near the old mill."),
            QStringLiteral("Please trade even or up and sign the log before you leave."),
            QStringLiteral("The hint is in the picture of the bridge at the second waypoint."),
            QStringLiteral("Be careful of the traffic when you cross the busy road."),
            QStringLiteral("A flashlight helps because the cache sits in a dark tunnel."),
            QStringLiteral("The puzzle gives the numbers you need for the final location."),
            QStringLiteral("Rehide the box exactly where you found it under the roots."),
        },
    };
}

TextKind manuals()
{
    return {
        QStringLiteral("manuals"),
        {
            QStringLiteral("Schalten Sie das Gerät aus, bevor Sie die Batterien wechseln."),
            QStringLiteral("Drücken Sie die Menütaste zwei Sekunden lang, um fortzufahren."),
            QStringLiteral("Die Anzeige blinkt, solange der Empfänger Satelliten sucht."),
            QStringLiteral("Verbinden Sie das Kabel erst, wenn die Software installiert ist."),
            QStringLiteral("Reinigen Sie das Gehäuse nur mit einem trockenen weichen Tuch."),
            QStringLiteral("Die Genauigkeit hängt von der Sicht auf den freien Himmel ab."),
            QStringLiteral("Speichern Sie den Wegpunkt, bevor Sie die Route neu berechnen."),
            QStringLiteral("Wählen Sie im Einstellungsmenü die gewünschte Sprache aus."),
            QStringLiteral("Lagern Sie den Akku kühl und laden Sie ihn alle drei Monate."),
            QStringLiteral("Eine rote Lampe zeigt an, dass der Speicher fast voll ist."),
            QStringLiteral("Öffnen Sie das Gehäuse nicht, im Inneren gibt es keine Teile."),
            QStringLiteral("Halten Sie beide Tasten gedrückt, bis das Gerät neu startet."),
        },
        {
            QStringLiteral("Turn off the device before you replace the batteries."),
            QStringLiteral("Press and hold the power button until the screen lights up."),
            QStringLiteral("The receiver needs a clear view of the sky to find satellites."),
            QStringLiteral("Connect the cable only after the driver has been installed."),
            QStringLiteral("Clean the housing with a soft dry cloth and never use solvents."),
            QStringLiteral("Select the desired language from the settings menu."),
            QStringLiteral("Save the current position before you start a new route."),
            QStringLiteral("A red light shows that the memory is almost full."),
            QStringLiteral("Store the battery in a cool place and charge it every month."),
            QStringLiteral("Do not open the case because there are no serviceable parts."),
            QStringLiteral("The compass must be calibrated after each change of batteries."),
            QStringLiteral("Restart the unit if the display stops responding to input."),
        },
    };
}

TextKind letters()
{
    return {
        QStringLiteral("letters"),
        {
            QStringLiteral("Liebe Tante Grete, vielen Dank für das schöne Paket zum Geburtstag."),
            QStringLiteral("Sehr geehrte Damen und Herren, hiermit kündige ich meinen Vertrag."),
            QStringLiteral("Wir sind gut angekommen, das Wetter ist herrlich und warm."),
            QStringLiteral("Ich hoffe, es geht euch allen gut und ihr seid gesund."),
            QStringLiteral("Bitte schicken Sie mir die Unterlagen bis Ende der Woche."),
            QStringLiteral("Mit freundlichen Grüßen aus dem verschneiten Schwarzwald."),
            QStringLiteral("Leider kann ich am Freitag nicht kommen, der Zug fällt aus."),
            QStringLiteral("Herzliche Glückwünsche zur Hochzeit und alles Gute für euch."),
            QStringLiteral("Anbei sende ich Ihnen die Rechnung für den letzten Monat."),
            QStringLiteral("Schreib mir bald, ich vermisse unsere langen Gespräche sehr."),
            QStringLiteral("Die Kinder freuen sich schon sehr auf die Ferien bei euch."),
            QStringLiteral("Ich melde mich, sobald ich wieder zu Hause bin, dein Peter."),
        },
        {
            QStringLiteral("Dear Aunt Mary, thank you so much for the lovely birthday gift."),
            QStringLiteral("We arrived safely and the weather here is warm and sunny."),
            QStringLiteral("I hope this letter finds you and your family in good health."),
            QStringLiteral("Please send me the signed forms by the end of the week."),
            QStringLiteral("With kind regards from all of us in the little seaside town."),
            QStringLiteral("I am sorry that I cannot come on Friday because my train is late."),
            QStringLiteral("Congratulations on your wedding and all the best for the future."),
            QStringLiteral("Enclosed you will find the invoice for the last month."),
            QStringLiteral("Write to me soon because I miss our long talks by the fire."),
            QStringLiteral("The children are looking forward to the holidays with you."),
            QStringLiteral("I will call you as soon as I am back home, yours truly, John."),
            QStringLiteral("Thank you for your kind letter and the photographs of the garden."),
        },
    };
}

TextKind olderProse()
{
    return {
        QStringLiteral("older prose"),
        {
            QStringLiteral("Es begab sich aber, dass der Müller eine gar schöne Tochter hatte."),
            QStringLiteral("Der Wanderer zog seines Weges und sprach kein einziges Wort."),
            QStringLiteral("Als der Abend nahte, kehrten sie in die Herberge am Flusse ein."),
            QStringLiteral("Gar manches Jahr verging, ehe der Jüngling heimkehrte."),
            QStringLiteral("Sie dankte dem Herrn für seine Güte und ging still von dannen."),
            QStringLiteral("Des Nachts hörte man die Glocken vom fernen Kloster läuten."),
            QStringLiteral("Der alte Graf ließ die Tore schließen und die Fackeln entzünden."),
            QStringLiteral("Wohl dem, der in der Fremde einen treuen Freund gefunden hat."),
            QStringLiteral("Alsdann nahm der Schmied den Hammer und schlug dreimal zu."),
            QStringLiteral("Die Kunde von dem Schatze verbreitete sich rasch im ganzen Lande."),
            QStringLiteral("So lebten sie fortan in Frieden bis an das Ende ihrer Tage."),
            QStringLiteral("Er gelobte, die Burg nimmermehr zu verlassen, bis der Krieg ende."),
        },
        {
            QStringLiteral("It came to pass that the miller had a daughter of great beauty."),
            QStringLiteral("Thou shalt not tarry here, for the night draweth near."),
            QStringLiteral("The traveller went upon his way and spake not a single word."),
            QStringLiteral("When evening fell they sought lodging at the inn by the river."),
            QStringLiteral("Many a year did pass ere the young man returned to his home."),
            QStringLiteral("She thanked the lord for his kindness and departed in silence."),
            QStringLiteral("By night one might hear the bells of the distant abbey ring."),
            QStringLiteral("The old earl bade his men shut the gates and light the torches."),
            QStringLiteral("Whereupon the smith took up his hammer and struck thrice."),
            QStringLiteral("Tidings of the treasure spread swiftly throughout the land."),
            QStringLiteral("And so they dwelt in peace unto the end of their days."),
            QStringLiteral("He swore that he would never leave the castle whilst war raged."),
        },
    };
}

} // namespace

std::vector<TextKind> otherTextKinds()
{
    return {listings(), manuals(), letters(), olderProse()};
}

QStringList heldOutWords(const QString &folder)
{
    QStringList words;
    for (const QString &path : FortuneText::files(folder)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QStringList sayings = FortuneText::split(QString::fromUtf8(file.readAll()));
        for (qsizetype i = 0; i < sayings.size(); ++i) {
            if (!FortuneText::isHeldOut(i))
                continue;
            for (const QString &word :
                 sayings[i].split(QRegularExpression(QStringLiteral("\\s+")))) {
                const QString letters = normalizedLetters(word);
                if (!letters.isEmpty())
                    words.append(letters);
            }
        }
    }
    return words;
}
