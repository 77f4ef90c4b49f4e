#include "gui/symbols/Symbole_Unit.h"

#include "gui/app/AppContext.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/ScreenFit.h"
#include "gui/symbols/GlyphPalette.h"
#include "logic/common/Global_Unit.h"
#include "logic/common/QuarvelError.h"
#include "logic/common/SafeWrite.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

// Height of a glyph in the table preview, the strip preview and the unknown symbols.
constexpr int kChartPixels = 40;
constexpr int kStripPixels = 48;
constexpr int kUnknownPixels = 36;

template<typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton *button(const QString &caption, const char *name, QWidget *parent)
{
    return named(new QPushButton(caption, parent), name);
}

QScrollArea *scrolling(QLabel *label, QWidget *parent)
{
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setBackgroundRole(QPalette::Base);
    label->setAutoFillBackground(true);
    auto *area = new QScrollArea(parent);
    area->setWidget(label);
    area->setWidgetResizable(true);
    return area;
}

bool matches(const SymbolTables::Table &table, const QString &wanted)
{
    return wanted.isEmpty() || table.name.contains(wanted, Qt::CaseInsensitive) ||
        table.titel.contains(wanted, Qt::CaseInsensitive) ||
        table.gruppe.contains(wanted, Qt::CaseInsensitive);
}

} // namespace

TfrmSymbole::TfrmSymbole(AppContext &context, const QList<SymbolTables::Table> &tables,
                         QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
    , m_tables(tables)
{
    setObjectName(QStringLiteral("frmSymbole"));
    setWindowTitle(QStringLiteral("Symbole"));
    lstGlyphen = named(new GlyphPalette(m_pixmaps, this), "lstGlyphen");
    tabModus = named(new QTabWidget(this), "tabModus");
    tabModus->addTab(createDecodePage(), QStringLiteral("&Entschlüsseln"));
    tabModus->addTab(createEncodePage(), QStringLiteral("&Verschlüsseln"));
    tabModus->addTab(createUnknownPage(), QStringLiteral("&Unbekannte Symbole"));
    btnSchliessen = button(QStringLiteral("Schließen"), "btnSchliessen", this);

    auto *glyphCaption =
        new QLabel(QStringLiteral("&Zeichen (anklicken, oder Pfeiltasten und Eingabetaste; "
                                  "Leertaste: Lücke, Rücktaste: zurück):"),
                   this);
    glyphCaption->setBuddy(lstGlyphen);
    auto *work = new QWidget(this);
    auto *workLayout = new QVBoxLayout(work);
    workLayout->setContentsMargins(0, 0, 0, 0);
    workLayout->addWidget(glyphCaption);
    workLayout->addWidget(lstGlyphen, 3);
    workLayout->addWidget(tabModus, 2);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(createTableColumn());
    splitter->addWidget(work);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({430, 640});
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(btnSchliessen);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);

    for (const SymbolTables::Table &table : m_tables) {
        auto *item = new QListWidgetItem(table.titel, lstTafeln);
        item->setToolTip(QStringLiteral("%1 · %2").arg(table.name, table.gruppe));
    }
    connectControls();
    resize(1100, 680);
    ScreenFit::keepOnScreen(this);
    lstTafeln->setCurrentRow(0);
    showTable(currentTable());
}

QWidget *TfrmSymbole::createTableColumn()
{
    auto *column = new QWidget(this);
    edtSuche = named(new QLineEdit(column), "edtSuche");
    edtSuche->setPlaceholderText(QStringLiteral("Name, Titel oder Gruppe, z. B. Runen"));
    edtSuche->setClearButtonEnabled(true);
    edtSuche->setMaxLength(100);
    lstTafeln = named(new QListWidget(column), "lstTafeln");
    lblTafel = named(new QLabel(column), "lblTafel");
    m_chartArea = scrolling(lblTafel, column);
    // A scroll bar that came and went with the picture's height would resize it in turn.
    m_chartArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_chartArea->viewport()->installEventFilter(this);
    lblQuelle = named(new QLabel(column), "lblQuelle");
    lblQuelle->setWordWrap(true);
    lblQuelle->setTextInteractionFlags(Qt::TextSelectableByMouse);
    btnTafelSpeichern =
        button(QStringLiteral("&Tafel als Bild speichern ..."), "btnTafelSpeichern", column);

    auto *searchCaption = new QLabel(QStringLiteral("&Suchen:"), column);
    searchCaption->setBuddy(edtSuche);
    auto *search = new QHBoxLayout;
    search->addWidget(searchCaption);
    search->addWidget(edtSuche, 1);
    auto *save = new QHBoxLayout;
    save->addStretch(1);
    save->addWidget(btnTafelSpeichern);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(search);
    layout->addWidget(lstTafeln, 2);
    layout->addWidget(m_chartArea, 3);
    layout->addWidget(lblQuelle);
    layout->addLayout(save);
    return column;
}

QWidget *TfrmSymbole::createDecodePage()
{
    auto *page = new QWidget(this);
    edtKlartext = named(new QLineEdit(page), "edtKlartext");
    edtKlartext->setMaxLength(kMaxText);
    edtKlartext->setPlaceholderText(QStringLiteral("Die Buchstaben der angeklickten Zeichen"));
    btnLeerzeichen = button(QStringLiteral("&Leerzeichen"), "btnLeerzeichen", page);
    btnRueckschritt = button(QStringLiteral("&Rückschritt"), "btnRueckschritt", page);
    btnLoeschen = button(QStringLiteral("Lö&schen"), "btnLoeschen", page);
    btnKopieren = button(QStringLiteral("&Kopieren"), "btnKopieren", page);
    auto *caption = new QLabel(QStringLiteral("&Text:"), page);
    caption->setBuddy(edtKlartext);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {btnLeerzeichen, btnRueckschritt, btnLoeschen, btnKopieren})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(caption);
    layout->addWidget(edtKlartext);
    layout->addLayout(buttons);
    layout->addStretch(1);
    return page;
}

QWidget *TfrmSymbole::createEncodePage()
{
    auto *page = new QWidget(this);
    edtText = named(new QLineEdit(page), "edtText");
    edtText->setMaxLength(kMaxText);
    edtText->setPlaceholderText(QStringLiteral("Text, der als Zeichen erscheinen soll"));
    lblFehler = named(new QLabel(page), "lblFehler");
    lblFehler->setStyleSheet(QStringLiteral("color: #b00000"));
    lblFehler->setWordWrap(true);
    lblFehler->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblStreifen = named(new QLabel(page), "lblStreifen");
    btnStreifenSpeichern =
        button(QStringLiteral("Als &Bild speichern ..."), "btnStreifenSpeichern", page);
    btnStreifenSpeichern->setEnabled(false);
    auto *caption = new QLabel(QStringLiteral("&Text:"), page);
    caption->setBuddy(edtText);
    auto *field = new QHBoxLayout;
    field->addWidget(caption);
    field->addWidget(edtText, 3);
    field->addWidget(lblFehler, 2);
    auto *save = new QHBoxLayout;
    save->addStretch(1);
    save->addWidget(btnStreifenSpeichern);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(field);
    layout->addWidget(scrolling(lblStreifen, page), 1);
    layout->addLayout(save);
    return page;
}

QWidget *TfrmSymbole::createUnknownPage()
{
    auto *page = new QWidget(this);
    lblUnbekannt = named(new QLabel(page), "lblUnbekannt");
    edtPlatzhalter = named(new QLineEdit(page), "edtPlatzhalter");
    edtPlatzhalter->setReadOnly(true);
    lblUnbekanntHinweis = named(new QLabel(page), "lblUnbekanntHinweis");
    lblUnbekanntHinweis->setWordWrap(true);
    lblUnbekanntHinweis->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    btnUnbekanntLeerzeichen =
        button(QStringLiteral("&Leerzeichen"), "btnUnbekanntLeerzeichen", page);
    btnUnbekanntRueckschritt =
        button(QStringLiteral("&Rückschritt"), "btnUnbekanntRueckschritt", page);
    btnUnbekanntLoeschen = button(QStringLiteral("Lö&schen"), "btnUnbekanntLoeschen", page);
    btnCodeKnacker = button(QStringLiteral("An den &Code-Knacker ..."), "btnCodeKnacker", page);
    auto *caption = new QLabel(QStringLiteral("&Platzhalter:"), page);
    caption->setBuddy(edtPlatzhalter);
    auto *field = new QHBoxLayout;
    field->addWidget(caption);
    field->addWidget(edtPlatzhalter, 1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b :
         {btnUnbekanntLeerzeichen, btnUnbekanntRueckschritt, btnUnbekanntLoeschen, btnCodeKnacker})
        buttons->addWidget(b);
    buttons->addWidget(lblUnbekanntHinweis, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(scrolling(lblUnbekannt, page), 1);
    layout->addLayout(field);
    layout->addLayout(buttons);
    unknownChanged();
    return page;
}

void TfrmSymbole::connectControls()
{
    // Each handler is a member function or a lambda on the window, run inside the guard.
    const auto run = [this](auto handler) {
        return [this, handler] {
            guarded(m_context.dialogs, this, [&] { std::invoke(handler, this); });
        };
    };
    const auto click = [this, run](QPushButton *b, auto handler) {
        connect(b, &QPushButton::clicked, this, run(handler));
    };
    connect(edtSuche, &QLineEdit::textChanged, this, run(&TfrmSymbole::edtSucheChange));
    connect(lstTafeln, &QListWidget::currentRowChanged, this, run(&TfrmSymbole::lstTafelnChange));
    connect(edtText, &QLineEdit::textChanged, this, run(&TfrmSymbole::edtTextChange));
    lstGlyphen->setOnChosen(
        [this](int glyph) { guarded(m_context.dialogs, this, [&] { glyphChosen(glyph); }); });
    lstGlyphen->setOnBackspace(run(&TfrmSymbole::backspace));
    lstGlyphen->setOnBlank(run(&TfrmSymbole::blank));
    click(btnTafelSpeichern, &TfrmSymbole::btnTafelSpeichernClick);
    click(btnStreifenSpeichern, &TfrmSymbole::btnStreifenSpeichernClick);
    click(btnLeerzeichen, [](TfrmSymbole *w) { w->appendDecoded(QStringLiteral(" ")); });
    click(btnRueckschritt, &TfrmSymbole::decodedBackspace);
    click(btnLoeschen, [](TfrmSymbole *w) {
        w->edtKlartext->clear();
        w->m_decodedPieces.clear();
    });
    click(btnKopieren, &TfrmSymbole::btnKopierenClick);
    click(btnUnbekanntLeerzeichen, [](TfrmSymbole *w) {
        w->m_unknown.addBlank();
        w->unknownChanged();
    });
    click(btnUnbekanntRueckschritt, [](TfrmSymbole *w) {
        w->m_unknown.removeLast();
        w->unknownChanged();
    });
    click(btnUnbekanntLoeschen, [](TfrmSymbole *w) {
        w->m_unknown.clear();
        w->unknownChanged();
    });
    click(btnCodeKnacker, &TfrmSymbole::btnCodeKnackerClick);
    connect(btnSchliessen, &QPushButton::clicked, this, &QWidget::close);
}

const SymbolTables::Table *TfrmSymbole::currentTable() const
{
    QListWidgetItem *item = lstTafeln->currentItem();
    if (!item || item->isHidden())
        return nullptr;
    const int row = lstTafeln->row(item);
    return row >= 0 && row < m_tables.size() ? &m_tables[row] : nullptr;
}

bool TfrmSymbole::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_chartArea->viewport() && event->type() == QEvent::Resize)
        showChart();
    return QWidget::eventFilter(watched, event);
}

void TfrmSymbole::edtSucheChange()
{
    const QString wanted = edtSuche->text().trimmed();
    int firstShown = -1;
    for (int row = 0; row < int(m_tables.size()); ++row) {
        const bool shown = matches(m_tables[row], wanted);
        lstTafeln->item(row)->setHidden(!shown);
        if (shown && firstShown < 0)
            firstShown = row;
    }
    const QListWidgetItem *current = lstTafeln->currentItem();
    if ((!current || current->isHidden()) && firstShown >= 0)
        lstTafeln->setCurrentRow(firstShown);
    if (currentTable() != lstGlyphen->table())
        showTable(currentTable());
}

void TfrmSymbole::lstTafelnChange()
{
    showTable(currentTable());
}

void TfrmSymbole::showTable(const SymbolTables::Table *table)
{
    lstGlyphen->setTable(table);
    btnTafelSpeichern->setEnabled(table != nullptr);
    if (table) {
        m_chart = SymbolTables::renderChart(*table, kChartPixels);
        lblQuelle->setText(
            QStringLiteral("<b>%1</b> (%2, %3 Zeichen, Gruppe %4)<br>Quelle: %5<br>Lizenz: %6")
                .arg(table->titel.toHtmlEscaped(), table->name.toHtmlEscaped())
                .arg(table->glyphen.size())
                .arg(table->gruppe.toHtmlEscaped(), table->quelle.toHtmlEscaped(),
                     table->lizenz.toHtmlEscaped()));
    } else {
        m_chart = QImage();
        lblQuelle->setText(QStringLiteral("Keine Tafel passt zu „%1“.")
                               .arg(edtSuche->text().trimmed().toHtmlEscaped()));
    }
    showChart();
    edtTextChange();
}

// The table fills the preview's width; a wide one shrinks to half its size at most and
// scrolls beyond that, so its glyphs stay recognisable.
void TfrmSymbole::showChart()
{
    if (m_chart.isNull()) {
        lblTafel->clear();
        return;
    }
    const int room = m_chartArea->viewport()->width() - 2;
    QImage shown = m_chart;
    if (room > 0 && m_chart.width() > room)
        shown =
            m_chart.scaledToWidth(std::max(room, m_chart.width() / 2), Qt::SmoothTransformation);
    lblTafel->setPixmap(QPixmap::fromImage(shown));
}

void TfrmSymbole::glyphChosen(int glyph)
{
    const SymbolTables::Table *table = currentTable();
    if (!table || glyph < 0 || glyph >= table->glyphen.size())
        return;
    const QString &meaning = table->glyphen[glyph].zeichen;
    switch (tabModus->currentIndex()) {
    case DecodePage:
        appendDecoded(meaning);
        break;
    case EncodePage:
        if (edtText->text().size() + meaning.size() > kMaxText)
            throw QuarvelError(
                QStringLiteral("Der Text hat schon %1 Zeichen, höchstens %2 sind möglich")
                    .arg(edtText->text().size())
                    .arg(kMaxText));
        edtText->setText(edtText->text() + meaning);
        break;
    case UnknownPage:
        m_unknown.add(table->name, glyph);
        unknownChanged();
        break;
    }
}

// The space bar in the glyphs: a gap between words on the page in front.
void TfrmSymbole::blank()
{
    switch (tabModus->currentIndex()) {
    case DecodePage:
        appendDecoded(QStringLiteral(" "));
        break;
    case EncodePage:
        if (edtText->text().size() < kMaxText)
            edtText->setText(edtText->text() + u' ');
        break;
    case UnknownPage:
        m_unknown.addBlank();
        unknownChanged();
        break;
    }
}

// The Backspace key in the glyphs takes back the last choice of the page in front.
void TfrmSymbole::backspace()
{
    switch (tabModus->currentIndex()) {
    case DecodePage:
        decodedBackspace();
        break;
    case EncodePage:
        edtText->end(false);
        edtText->backspace();
        break;
    case UnknownPage:
        m_unknown.removeLast();
        unknownChanged();
        break;
    }
}

void TfrmSymbole::appendDecoded(const QString &piece)
{
    const QString text = edtKlartext->text();
    if (text.size() + piece.size() > kMaxText)
        throw QuarvelError(
            QStringLiteral("Der Text hat schon %1 Zeichen, höchstens %2 sind möglich")
                .arg(text.size())
                .arg(kMaxText));
    edtKlartext->setText(text + piece);
    m_decodedPieces.append(piece);
}

// Takes back the last glyph's letters whole ("CH", "12"); after the user edited the text by
// hand, one character.
void TfrmSymbole::decodedBackspace()
{
    QString text = edtKlartext->text();
    if (text.isEmpty())
        return;
    if (!m_decodedPieces.isEmpty() && text.endsWith(m_decodedPieces.constLast())) {
        text.chop(m_decodedPieces.takeLast().size());
    } else {
        text.chop(1);
        m_decodedPieces.clear();
    }
    edtKlartext->setText(text);
}

void TfrmSymbole::btnKopierenClick()
{
    if (edtKlartext->text().isEmpty())
        throw QuarvelError(QStringLiteral("Es gibt noch keinen Text zum Kopieren"));
    QApplication::clipboard()->setText(edtKlartext->text());
}

// The typed text as glyphs; what the table cannot write is named beside the field.
void TfrmSymbole::edtTextChange()
{
    lblFehler->clear();
    lblStreifen->clear();
    btnStreifenSpeichern->setEnabled(false);
    const SymbolTables::Table *table = currentTable();
    const QString text = edtText->text();
    if (!table || text.isEmpty())
        return;
    QList<int> glyphs;
    try {
        glyphs = SymbolTables::glyphsFor(*table, text);
    } catch (const QuarvelError &error) {
        lblFehler->setText(error.message());
        return;
    }
    lblStreifen->setPixmap(
        QPixmap::fromImage(SymbolTables::renderStrip(*table, glyphs, kStripPixels)));
    btnStreifenSpeichern->setEnabled(true);
}

// The clicked glyphs in a row, each with its placeholder below.
QPixmap TfrmSymbole::unknownStrip(const QString &letters)
{
    const int gap = kUnknownPixels * 2 / 3; // a blank
    const int spacing = 6; // between glyphs, so that each stands apart from its neighbours
    QList<QPixmap> glyphs;
    int width = 0;
    for (const PlaceholderSequence::Entry &entry : m_unknown.entries()) {
        const auto table = std::find_if(m_tables.cbegin(), m_tables.cend(),
                                        [&](const auto &t) { return t.name == entry.table; });
        glyphs.append(entry.glyph < 0 || table == m_tables.cend()
                          ? QPixmap()
                          : m_pixmaps.glyph(*table, entry.glyph, kUnknownPixels));
        width += (glyphs.constLast().isNull() ? gap : glyphs.constLast().width()) + spacing;
    }
    const int textHeight = fontMetrics().height();
    QPixmap strip(std::max(1, width), kUnknownPixels + textHeight + 4);
    strip.fill(Qt::white);
    QPainter painter(&strip);
    painter.setFont(font());
    int x = 0;
    for (int i = 0; i < glyphs.size(); ++i) {
        const int cell = glyphs[i].isNull() ? gap : glyphs[i].width();
        if (!glyphs[i].isNull()) {
            painter.drawPixmap(x, 0, glyphs[i]);
            painter.drawText(QRect(x, kUnknownPixels + 2, cell, textHeight), Qt::AlignCenter,
                             letters.mid(i, 1));
        }
        x += cell + spacing;
    }
    painter.end();
    return strip;
}

void TfrmSymbole::unknownChanged()
{
    const QString letters = m_unknown.text();
    edtPlatzhalter->setText(letters);
    lblUnbekannt->setPixmap(unknownStrip(letters));
    const bool any = !m_unknown.isEmpty();
    btnUnbekanntRueckschritt->setEnabled(any);
    btnUnbekanntLoeschen->setEnabled(any);
    btnCodeKnacker->setEnabled(m_unknown.distinct() > 0);
    lblUnbekanntHinweis->setText(
        any ? QStringLiteral("%1 verschiedene Symbole (höchstens %2)")
                  .arg(m_unknown.distinct())
                  .arg(PlaceholderSequence::kMaxDistinct)
            : QStringLiteral("Zeichen beliebiger Tafeln anklicken: das erste wird A, "
                             "das nächste neue B …"));
}

void TfrmSymbole::btnCodeKnackerClick()
{
    if (m_unknown.distinct() == 0)
        throw QuarvelError(QStringLiteral("Es sind noch keine unbekannten Symbole angeklickt"));
    if (!m_openCodeBreaker)
        throw QuarvelError(QStringLiteral("Der Code-Knacker ist nicht verfügbar"));
    m_openCodeBreaker(m_unknown.text().trimmed());
}

void TfrmSymbole::savePicture(const QImage &picture, const QString &fileName)
{
    Dialogs::FileRequest request;
    request.title = QStringLiteral("Als Bild speichern");
    request.directory = m_context.globals.BenutzerPfad;
    request.fileName = fileName;
    request.filter = QStringLiteral("PNG-Bilder (*.png)");
    request.defaultSuffix = QStringLiteral("png");
    const QString path = m_context.dialogs.saveFileName(this, request);
    if (path.isEmpty())
        return;
    const QString failure =
        writeFileSafely(path, [&](QIODevice &device) { return picture.save(&device, "PNG"); });
    if (!failure.isEmpty())
        throw QuarvelError(failure);
}

void TfrmSymbole::btnTafelSpeichernClick()
{
    const SymbolTables::Table *table = currentTable();
    if (!table)
        throw QuarvelError(QStringLiteral("Es ist keine Tafel gewählt"));
    savePicture(SymbolTables::renderChart(*table, kPicturePixels),
                table->name + QStringLiteral(".png"));
}

void TfrmSymbole::btnStreifenSpeichernClick()
{
    const SymbolTables::Table *table = currentTable();
    if (!table)
        throw QuarvelError(QStringLiteral("Es ist keine Tafel gewählt"));
    const QList<int> glyphs = SymbolTables::glyphsFor(*table, edtText->text());
    if (glyphs.isEmpty())
        throw QuarvelError(QStringLiteral("Es gibt noch keinen Text zum Speichern"));
    savePicture(SymbolTables::renderStrip(*table, glyphs, kPicturePixels),
                table->name + QStringLiteral("-text.png"));
}
