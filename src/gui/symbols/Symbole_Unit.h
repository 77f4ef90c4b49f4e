#pragma once

#include "gui/symbols/GlyphPixmaps.h"
#include "gui/symbols/PlaceholderSequence.h"
#include "symbols/SymbolTable.h"

#include <QWidget>

#include <functional>

class GlyphPalette;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QTabWidget;
struct AppContext;

// "Symbole": read a row of symbols. Choose the alphabet from the list (the search field narrows
// it by name, title or group; the preview shows the whole table with its source and licence),
// then click glyph after glyph:
//   Entschlüsseln       appends each glyph's letter to a text that can be copied;
//   Verschlüsseln       shows a typed text as glyphs (the text's errors beside the field);
//   Unbekannte Symbole  writes glyphs of any table as placeholders A, B, C ... in order of first
//                       use, for the code breaker's search for a simple substitution.
// The table and the strip of glyphs can be saved as PNG pictures.
class TfrmSymbole : public QWidget
{
public:
    // Opens the code breaker with a text and starts its search.
    using OpenCodeBreaker = std::function<void(const QString &text)>;

    // Typed texts, decoded texts and saved strips hold at most this many characters.
    static constexpr int kMaxText = 500;
    // Height of a glyph in the saved pictures.
    static constexpr int kPicturePixels = 96;

    explicit TfrmSymbole(AppContext &context,
                         const QList<SymbolTables::Table> &tables = SymbolTables::all(),
                         QWidget *parent = nullptr);

    void setOpenCodeBreaker(OpenCodeBreaker open) { m_openCodeBreaker = std::move(open); }
    // The table shown now; null while the search leaves none.
    const SymbolTables::Table *currentTable() const;
    const PlaceholderSequence &unknownSymbols() const { return m_unknown; }
    const GlyphPixmaps &pixmaps() const { return m_pixmaps; }

    enum Page { DecodePage, EncodePage, UnknownPage };

    QLineEdit *edtSuche = nullptr;
    QListWidget *lstTafeln = nullptr;
    QLabel *lblTafel = nullptr; // the whole table
    QLabel *lblQuelle = nullptr; // its source and licence
    QPushButton *btnTafelSpeichern = nullptr;
    GlyphPalette *lstGlyphen = nullptr;
    QTabWidget *tabModus = nullptr;
    QLineEdit *edtKlartext = nullptr; // decoded
    QPushButton *btnLeerzeichen = nullptr;
    QPushButton *btnRueckschritt = nullptr;
    QPushButton *btnLoeschen = nullptr;
    QPushButton *btnKopieren = nullptr;
    QLineEdit *edtText = nullptr; // to encode
    QLabel *lblFehler = nullptr;
    QLabel *lblStreifen = nullptr;
    QPushButton *btnStreifenSpeichern = nullptr;
    QLabel *lblUnbekannt = nullptr; // the clicked glyphs
    QLineEdit *edtPlatzhalter = nullptr;
    QLabel *lblUnbekanntHinweis = nullptr;
    QPushButton *btnUnbekanntLeerzeichen = nullptr;
    QPushButton *btnUnbekanntRueckschritt = nullptr;
    QPushButton *btnUnbekanntLoeschen = nullptr;
    QPushButton *btnCodeKnacker = nullptr;
    QPushButton *btnSchliessen = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *createTableColumn();
    QWidget *createDecodePage();
    QWidget *createEncodePage();
    QWidget *createUnknownPage();
    void connectControls();

    void edtSucheChange();
    void lstTafelnChange();
    void showTable(const SymbolTables::Table *table);
    void showChart();
    void glyphChosen(int glyph);
    void backspace();
    void blank();
    void appendDecoded(const QString &piece);
    void decodedBackspace();
    void edtTextChange();
    void unknownChanged();
    QPixmap unknownStrip(const QString &letters);
    void btnCodeKnackerClick();
    void btnKopierenClick();
    void savePicture(const QImage &picture, const QString &fileName);
    void btnTafelSpeichernClick();
    void btnStreifenSpeichernClick();

    AppContext &m_context;
    QList<SymbolTables::Table> m_tables;
    OpenCodeBreaker m_openCodeBreaker;
    GlyphPixmaps m_pixmaps;
    QImage m_chart; // the shown table at full size; the preview scales it to the width
    QScrollArea *m_chartArea = nullptr;
    QStringList m_decodedPieces; // what each click appended, so Backspace takes back a whole glyph
    PlaceholderSequence m_unknown;
};
