#include "gui/app/NavigatorNodes.h"

#include "gui/app/AppContext.h"
#include "gui/calc/CalcNavigator.h"

namespace {

using Kind = NavigatorNode::Kind;

NavigatorNode group(const char16_t *text, Kind kind = Kind::Group)
{
    NavigatorNode node;
    node.text = QString::fromUtf16(text);
    node.kind = kind;
    node.panel = QStringLiteral("pnlLeer");
    return node;
}

NavigatorNode tool(const char16_t *text, const char16_t *caption, std::optional<QString> oben,
                   std::optional<QString> oben2, const char16_t *panel)
{
    NavigatorNode node;
    node.text = QString::fromUtf16(text);
    node.caption = QString::fromUtf16(caption);
    node.oben = std::move(oben);
    node.oben2 = std::move(oben2);
    node.panel = QString::fromUtf16(panel);
    return node;
}

NavigatorNode chart(const char16_t *text, const char16_t *file)
{
    NavigatorNode node;
    node.text = QString::fromUtf16(text);
    node.kind = Kind::Chart;
    node.caption = QStringLiteral(" Diagramme ");
    node.oben = QStringLiteral("Verschiedene nützliche Diagramme");
    node.oben2 = QString();
    node.panel = QStringLiteral("gboxDiagramm");
    node.chartFile = QString::fromUtf16(file);
    return node;
}

// A node that opens one of the program's windows; the header tells what it holds.
NavigatorNode window(const char16_t *text, QString oben, QString oben2,
                     SecondaryWindow SecondaryWindows::*which)
{
    NavigatorNode node;
    node.text = QString::fromUtf16(text);
    node.kind = Kind::Window;
    node.caption = QStringLiteral(" Diagramme ");
    node.oben = std::move(oben);
    node.oben2 = std::move(oben2);
    node.panel = QStringLiteral("pnlLeer");
    node.window = which;
    return node;
}

std::vector<NavigatorNode> buildNodes()
{
    const auto byChoice = std::nullopt;
    std::vector<NavigatorNode> nodes {
        group(u"Koordinaten", Kind::GroupRecursive),
        tool(u"GPS (WGS84)", u" Koordinaten ", QStringLiteral("Verfügbare Buchstaben: N E S W ."),
             QStringLiteral("Verfügbare Zahlen: 0 1 2 3 4 5 6 7 8 9"), u"gboxKoordinaten"),
        group(u"Zahlensysteme"),
        tool(u"Quersumme", u" Zahlensysteme ", byChoice, byChoice, u"gboxQuersumme"),
        group(u"Strings"),
        tool(u"Buchstabenwortwert", u" Strings ",
             QStringLiteral("Jeder Buchstabe hat ein Wert, zB A=1, B=2 ... Ä=27, Ö=28, Ü=29, ß=30"),
             QStringLiteral("Keine Unterscheidung Groß-/Kleinschreibung"), u"gboxBWW"),
        tool(u"Buchstabenverteilung", u" Strings ",
             QStringLiteral("Im Deutschen sind die Buchstaben unterschiedlich häufig verteilt"),
             QStringLiteral("E und N treten am häufigsten auf !"), u"gboxBuchstabenverteilung"),
        group(u"Kryptologie"),
        tool(u"ROT-Verschiebung", u" Kryptologie ",
             QStringLiteral("Verschiebung der Buchstaben um einen festen Betrag"), byChoice,
             u"gboxRotVerschiebung"),
        tool(u"Römische Zahlenkodierung", u" Kryptologie ",
             QStringLiteral("Kodierung durch Römische Zahlen"), QString(), u"gboxRömZahlen"),
        tool(u"Vigenère", u" Kryptologie ",
             QStringLiteral("Verschiebung der Buchstaben mit Hilfe eines Schlüssels"), QString(),
             u"gboxVigenere"),
        tool(u"Trifid", u" Kryptologie ", QStringLiteral("3 x 3 Cube"),
             QStringLiteral("Das ganze Alphabet + den Punkt"), u"gboxTrifid"),
        tool(u"Weitere Chiffren", u" Kryptologie ",
             QStringLiteral("Klassische Chiffren und Codes: Atbash, Playfair, Morse, Base64 …"),
             QStringLiteral("Tippen Sie in eines der beiden Textfelder: das andere folgt sofort"),
             u"gboxChiffren"),
        group(u"Diagramme"),
        chart(u"Buchstabenwerte", u"Zahlenwerte.jpg"),
        chart(u"Dancing Men Cypher", u"dancing_men_cypher.jpg"),
        chart(u"Hexenschrift", u"Hexenschrift.jpg"),
        chart(u"Stabzahlen", u"Stabzahlen.jpg"),
        chart(u"Brailleschrift", u"Braille_Alphabet.jpg"),
        chart(u"Freimaurer-Code", u"Freimaurer_Code.jpg"),
        chart(u"Römische Zahlen", u"Roemische_Zahlen.jpg"),
        chart(u"Morse-Code", u"Morse_Code.jpg"),
        chart(u"Flaggenalphabet", u"Flaggenalphabet.png"),
        window(u"Symboltafeln",
               QStringLiteral("Symbolalphabete lesen und schreiben: Runen, Braille, Semaphore, "
                              "Segmentziffern …"),
               QStringLiteral("Das Fenster „Symbole“ (Tools › Symbole ...) ist geöffnet"),
               &SecondaryWindows::symbole),
        group(u"Umrechnung"),
        tool(u"Meter - Inch", u" Umrechnung ",
             QStringLiteral("Verschiedene nützliche Umrechnungen"),
             QStringLiteral("1 inch = 2,54cm , 1 Fuß(ft) = 12 inches , 1 Meter = 3,2808"),
             u"gboxUmrechnung"),
        tool(u"GC-Code", u" GC-Code ", QStringLiteral("Geocaching-Codes und ihre Nummern"),
             QStringLiteral("GC1 bis GCFFFF hexadezimal, ab GCG000 zur Basis 31"), u"gboxGcCode"),
    };
    for (NavigatorNode &node : calcNavigatorNodes())
        nodes.push_back(std::move(node));
    for (NavigatorNode &node : nodes) {
        if (node.text == u"ROT-Verschiebung")
            node.panelCaption = QStringLiteral(" Rot(ations)-Verschiebung ");
    }
    return nodes;
}

} // namespace

const std::vector<NavigatorNode> &navigatorNodes()
{
    static const std::vector<NavigatorNode> nodes = buildNodes();
    return nodes;
}

const NavigatorNode *findNavigatorNode(const QString &text)
{
    for (const NavigatorNode &node : navigatorNodes()) {
        if (node.text == text)
            return &node;
    }
    return nullptr;
}

const std::vector<NavigatorGroup> &navigatorTree()
{
    static const std::vector<NavigatorGroup> tree {
        {QStringLiteral("Koordinaten"), {QStringLiteral("GPS (WGS84)")}},
        {QStringLiteral("Zahlensysteme"), {QStringLiteral("Quersumme")}},
        {QStringLiteral("Strings"),
         {QStringLiteral("Buchstabenwortwert"), QStringLiteral("Buchstabenverteilung")}},
        {QStringLiteral("Kryptologie"),
         {QStringLiteral("ROT-Verschiebung"), kDisabledNode,
          QStringLiteral("Römische Zahlenkodierung"), QStringLiteral("Vigenère"),
          QStringLiteral("Trifid"), QStringLiteral("Weitere Chiffren")}},
        {QStringLiteral("Diagramme"),
         {QStringLiteral("Brailleschrift"), QStringLiteral("Buchstabenwerte"),
          QStringLiteral("Dancing Men Cypher"), QStringLiteral("Flaggenalphabet"),
          QStringLiteral("Freimaurer-Code"), QStringLiteral("Hexenschrift"),
          QStringLiteral("Morse-Code"), QStringLiteral("Römische Zahlen"),
          QStringLiteral("Stabzahlen"), QStringLiteral("Symboltafeln")}},
        {QStringLiteral("Umrechnung"), {QStringLiteral("Meter - Inch"), QStringLiteral("GC-Code")}},
        calcNavigatorGroup(),
    };
    return tree;
}
