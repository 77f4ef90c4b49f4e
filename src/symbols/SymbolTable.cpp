#include "symbols/SymbolTable.h"

#include "logic/common/QuarvelError.h"
#include "symbols/TableParts.h"

#include <QFontDatabase>
#include <QRawFont>

namespace SymbolTables {

namespace {

QList<Table> buildTables()
{
    using namespace Parts;
    return segmentTables() + pigpenTables() + signalTables() + flagTables() + codeTables() +
        cistercianTables() + dancingMenTables() + runeTables() + scriptTables() + numeralTables() +
        signTables();
}

// The meaning at `pos`: the longest one that matches there, case ignored; -1 for none.
int longestMatch(const Table &table, const QString &text, qsizetype pos, qsizetype &length)
{
    int best = -1;
    length = 0;
    for (int i = 0; i < table.glyphen.size(); ++i) {
        const QString &meaning = table.glyphen[i].zeichen;
        if (meaning.size() > length &&
            QStringView(text).mid(pos, meaning.size()).compare(meaning, Qt::CaseInsensitive) == 0) {
            best = i;
            length = meaning.size();
        }
    }
    return best;
}

} // namespace

namespace Parts {

Table fontTable(const char *name, const QString &titel, const QString &gruppe,
                const FontSource &font, std::initializer_list<FontGlyph> glyphs,
                const QString &meaningFrom)
{
    Table table;
    table.name = QString::fromLatin1(name);
    table.titel = titel;
    table.gruppe = gruppe;
    table.schriftFamilie = QString::fromLatin1(font.family);
    table.schriftPaket = QString::fromLatin1(kFontPackage);
    table.quelle = QStringLiteral("Schrift „%1“ (%2, Debian-Paket %3); Bedeutung nach %4")
                       .arg(table.schriftFamilie, QString::fromLatin1(font.file),
                            table.schriftPaket, meaningFrom);
    table.lizenz = QString::fromLatin1(kFontLicence);
    for (const FontGlyph &glyph : glyphs) {
        const char32_t code = glyph.code;
        table.glyphen.append({QString::fromUtf16(glyph.zeichen), QString::fromUcs4(&code, 1)});
    }
    return table;
}

Table drawnTable(const char *name, const QString &titel, const QString &gruppe, const QString &rule,
                 const QStringList &meanings,
                 std::function<void(QPainter &, const QRectF &, int)> draw, double aspect)
{
    Table table;
    table.name = QString::fromLatin1(name);
    table.titel = titel;
    table.gruppe = gruppe;
    table.quelle = rule;
    table.lizenz = QString::fromLatin1(kOwnDrawing);
    for (const QString &meaning : meanings)
        table.glyphen.append({meaning, {}});
    table.zeichne = std::move(draw);
    table.seitenverhaeltnis = aspect;
    return table;
}

} // namespace Parts

const QList<Table> &all()
{
    static const QList<Table> tables = buildTables();
    return tables;
}

const Table *find(const QString &name)
{
    for (const Table &table : all())
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}

QList<int> glyphsFor(const Table &table, const QString &text)
{
    QList<int> result;
    qsizetype pos = 0;
    while (pos < text.size()) {
        // A meaning may itself hold a blank ("weißer König"), so it is tried first.
        qsizetype length = 0;
        const int best = longestMatch(table, text, pos, length);
        if (best >= 0) {
            result.append(best);
            pos += length;
        } else if (text.at(pos).isSpace()) {
            result.append(-1);
            ++pos;
        } else {
            const char32_t code = QStringView(text).mid(pos).toUcs4().value(0);
            throw QuarvelError(QStringLiteral("„%1“ gibt es in der Tafel „%2“ nicht.")
                                   .arg(QString::fromUcs4(&code, 1), table.titel));
        }
    }
    return result;
}

QFont glyphFont(const Table &table, int pixelSize)
{
    QFont font(table.schriftFamilie);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferAntialias));
    font.setPixelSize(qMax(1, pixelSize));
    return font;
}

QStringList missingGlyphs(const Table &table)
{
    QStringList missing;
    if (table.zeichne)
        return missing;
    const bool installed = QFontDatabase::families().contains(table.schriftFamilie);
    const QRawFont raw = QRawFont::fromFont(glyphFont(table, 48));
    for (const Glyph &glyph : table.glyphen) {
        bool ok = installed && raw.isValid() && raw.familyName() == table.schriftFamilie;
        for (const char32_t code : glyph.schrift.toUcs4())
            ok = ok && raw.supportsCharacter(code);
        if (!ok)
            missing.append(glyph.zeichen);
    }
    return missing;
}

void requireFont(const Table &table)
{
    const QStringList missing = missingGlyphs(table);
    if (missing.isEmpty())
        return;
    if (missing.size() == table.glyphen.size())
        throw QuarvelError(QStringLiteral("Die Schrift „%1“ für die Tafel „%2“ ist nicht "
                                          "installiert (Debian-Paket %3).")
                               .arg(table.schriftFamilie, table.titel, table.schriftPaket));
    throw QuarvelError(
        QStringLiteral("Der Schrift „%1“ fehlen Zeichen der Tafel „%2“: %3.")
            .arg(table.schriftFamilie, table.titel, missing.join(QStringLiteral(", "))));
}

} // namespace SymbolTables
