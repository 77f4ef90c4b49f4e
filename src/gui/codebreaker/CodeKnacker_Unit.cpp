#include "gui/codebreaker/CodeKnacker_Unit.h"

#include "gui/app/AppContext.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/PasteLimit.h"
#include "gui/support/VisibleText.h"
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"
#include "logic/language/CipherIdentification.h"
#include "logic/language/GeocachingText.h"
#include "logic/language/Verdict.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

enum Column { RankColumn, MethodColumn, KeyColumn, LanguageColumn, ScoreColumn, PlainColumn };

// Typing restarts the search after this pause, so a fast typist does not start one per key.
constexpr int kPauseMs = 250;

template<typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A cell that sorts by its number, not by its text.
class NumberItem : public QTableWidgetItem
{
public:
    NumberItem(double value, const QString &text)
        : QTableWidgetItem(text)
        , m_value(value)
    {
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem &other) const override
    {
        const auto *number = dynamic_cast<const NumberItem *>(&other);
        return number ? m_value < number->m_value : QTableWidgetItem::operator<(other);
    }

private:
    double m_value;
};

} // namespace

TfrmCodeKnacker::TfrmCodeKnacker(AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmCodeKnacker"));
    setWindowTitle(QStringLiteral("Code-Knacker"));
    createControls();
    connectControls();
    resize(980, 640);
}

TfrmCodeKnacker::~TfrmCodeKnacker()
{
    m_runner.reset(); // waits for the worker before any control goes
}

void TfrmCodeKnacker::createControls()
{
    memGeheimtext = named(new QPlainTextEdit(this), "memGeheimtext");
    memGeheimtext->setPlaceholderText(
        QStringLiteral("Geheimtext hier eingeben oder einfügen, z. B. Qre Fpungm yvrtg hagre ..."));
    edtSchluessel = named(new QLineEdit(this), "edtSchluessel");
    edtSchluessel->setPlaceholderText(QStringLiteral("optional, z. B. GEOCACHE"));
    edtSchluessel->setMaxLength(200);
    edtTransposition = named(new QLineEdit(this), "edtTransposition");
    edtTransposition->setPlaceholderText(
        QStringLiteral("optional: Transpositionswort von ADFGX/ADFGVX, das Quadrat wird gesucht"));
    edtTransposition->setMaxLength(200);
    limitPasteLength(memGeheimtext, m_context.dialogs);
    edtKrippe = named(new QLineEdit(this), "edtKrippe");
    edtKrippe->setPlaceholderText(QStringLiteral("optional: ein Wort des Klartexts, z. B. NORD"));
    edtKrippe->setMaxLength(100);
    cbKetten = named(new QCheckBox(QStringLiteral("zwei Schritte (&Ketten)"), this), "cbKetten");
    cbKetten->setChecked(true);
    cbKetten->setToolTip(QStringLiteral(
        "Probiert auch zwei schlüssellose Verfahren nacheinander, z. B. base64 → rot"));
    cbSprache = named(new QComboBox(this), "cbSprache");
    cbSprache->addItems(
        {QStringLiteral("automatisch"), QStringLiteral("Deutsch"), QStringLiteral("Englisch")});
    cbLeerzeichen =
        named(new QCheckBox(QStringLiteral("&Leerzeichen einfügen"), this), "cbLeerzeichen");
    cbLeerzeichen->setToolTip(
        QStringLiteral("Setzt in Klartexte ohne Leerzeichen die Wortgrenzen nach der Wortliste "
                       "der Sprache (Pakete wngerman, wamerican)"));
    auto *language = new QHBoxLayout;
    language->addWidget(cbSprache);
    language->addWidget(cbLeerzeichen);
    language->addWidget(cbKetten);
    language->addStretch(1);
    auto *options = new QFormLayout;
    options->addRow(QStringLiteral("&Schlüssel:"), edtSchluessel);
    options->addRow(QStringLiteral("K&rippe:"), edtKrippe);
    options->addRow(QStringLiteral("&Transposition:"), edtTransposition);
    // A row whose field is a layout gets a label without buddy, which would show the "&".
    auto *languageCaption = new QLabel(QStringLiteral("S&prache:"), this);
    languageCaption->setBuddy(cbSprache);
    options->addRow(languageCaption, language);

    tblKandidaten = named(new QTableWidget(0, 6, this), "tblKandidaten");
    tblKandidaten->setHorizontalHeaderLabels(
        {QStringLiteral("Rang"), QStringLiteral("Verfahren"), QStringLiteral("Schlüssel"),
         QStringLiteral("Sprache"), QStringLiteral("Bewertung"), QStringLiteral("Klartext")});
    tblKandidaten->verticalHeader()->hide();
    tblKandidaten->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblKandidaten->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblKandidaten->setSortingEnabled(true);
    tblKandidaten->horizontalHeader()->setSectionResizeMode(PlainColumn, QHeaderView::Stretch);
    tblKandidaten->setColumnWidth(RankColumn, 50);
    tblKandidaten->setColumnWidth(MethodColumn, 110);
    tblKandidaten->setColumnWidth(KeyColumn, 130);
    tblKandidaten->setColumnWidth(LanguageColumn, 65);
    tblKandidaten->setColumnWidth(ScoreColumn, 85);
    tblKandidaten->setToolTip(
        QStringLiteral("Doppelklick öffnet das Verfahren in „Weitere Chiffren“"));
    auto *copy = new QAction(QStringLiteral("Zeile kopieren"), tblKandidaten);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    tblKandidaten->addAction(copy);
    tblKandidaten->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this,
            [this] { guarded(m_context.dialogs, this, [this] { copyRow(); }); });

    pbSuche = named(new QProgressBar(this), "pbSuche");
    pbSuche->setRange(0, 100);
    pbSuche->setVisible(false);
    btnAbbrechen = named(new QPushButton(QStringLiteral("Abbrechen"), this), "btnAbbrechen");
    btnAbbrechen->setEnabled(false);
    btnKopieren = named(new QPushButton(QStringLiteral("Zeile &kopieren"), this), "btnKopieren");
    btnSchliessen = named(new QPushButton(QStringLiteral("Schließen"), this), "btnSchliessen");
    lblStatus = named(new QLabel(this), "lblStatus");
    lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long message wraps into further lines instead of widening the window for good.
    lblStatus->setWordWrap(true);
    lblStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblUrteil = named(new QLabel(this), "lblUrteil");
    lblUrteil->setWordWrap(true);
    lblUrteil->setTextFormat(Qt::RichText);
    lblUrteil->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblUrteil->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_pause = new QTimer(this);
    m_pause->setSingleShot(true);
    m_pause->setInterval(kPauseMs);

    auto *top = new QWidget(this);
    auto *topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    auto *caption = new QLabel(QStringLiteral("&Geheimtext:"), top);
    caption->setBuddy(memGeheimtext);
    topLayout->addWidget(caption);
    topLayout->addWidget(memGeheimtext, 1);
    topLayout->addLayout(options);
    topLayout->addWidget(lblUrteil);
    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(top);
    splitter->addWidget(tblKandidaten);
    splitter->setStretchFactor(1, 3);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblStatus, 1);
    bottom->addWidget(pbSuche);
    bottom->addWidget(btnAbbrechen);
    bottom->addWidget(btnKopieren);
    bottom->addWidget(btnSchliessen);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);
}

void TfrmCodeKnacker::connectControls()
{
    const auto run = [this](void (TfrmCodeKnacker::*handler)()) {
        return [this, handler] { guarded(m_context.dialogs, this, [&] { (this->*handler)(); }); };
    };
    connect(memGeheimtext, &QPlainTextEdit::textChanged, this, run(&TfrmCodeKnacker::inputChanged));
    connect(edtSchluessel, &QLineEdit::textChanged, this, run(&TfrmCodeKnacker::inputChanged));
    connect(edtKrippe, &QLineEdit::textChanged, this, run(&TfrmCodeKnacker::inputChanged));
    connect(cbKetten, &QCheckBox::toggled, this, run(&TfrmCodeKnacker::inputChanged));
    connect(edtTransposition, &QLineEdit::textChanged, this, run(&TfrmCodeKnacker::inputChanged));
    connect(cbSprache, &QComboBox::currentIndexChanged, this, run(&TfrmCodeKnacker::inputChanged));
    connect(m_pause, &QTimer::timeout, this, run(&TfrmCodeKnacker::startSearch));
    connect(btnAbbrechen, &QPushButton::clicked, this, run(&TfrmCodeKnacker::btnAbbrechenClick));
    connect(btnKopieren, &QPushButton::clicked, this, run(&TfrmCodeKnacker::copyRow));
    connect(btnSchliessen, &QPushButton::clicked, this, &QWidget::close);
    connect(cbLeerzeichen, &QCheckBox::toggled, this, run(&TfrmCodeKnacker::showCandidates));
    connect(tblKandidaten, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        guarded(m_context.dialogs, this, [&] { tblKandidatenDoubleClick(row); });
    });
}

void TfrmCodeKnacker::inputChanged()
{
    stopRunner();
    m_pause->start();
}

BreakerRequest TfrmCodeKnacker::currentRequest() const
{
    BreakerRequest request;
    request.text = memGeheimtext->toPlainText();
    request.key = edtSchluessel->text();
    request.crib = edtKrippe->text();
    request.chains = cbKetten->isChecked();
    request.transposition = edtTransposition->text();
    if (cbSprache->currentIndex() == 1)
        request.language = Language::German;
    else if (cbSprache->currentIndex() == 2)
        request.language = Language::English;
    return request;
}

void TfrmCodeKnacker::stopRunner()
{
    m_runner.reset();
    ++m_generation;
    pbSuche->setVisible(false);
    btnAbbrechen->setEnabled(false);
}

void TfrmCodeKnacker::startSearch()
{
    m_pause->stop();
    stopRunner();
    m_quick.clear();
    const BreakerRequest request = currentRequest();
    if (request.text.size() > kMaxBreakerText) {
        m_ranked.clear();
        showCandidates();
        lblStatus->setText(
            QStringLiteral("Der Text ist zu lang: %1 Zeichen, der Code-Knacker nimmt höchstens %2.")
                .arg(Numbers::formatGrouped(uint64_t(request.text.size())),
                     Numbers::formatGrouped(uint64_t(kMaxBreakerText))));
        return;
    }
    const bool quickHere = request.text.size() <= kQuickLimit;
    if (quickHere) {
        m_quick = quickCandidates(request);
        markCrib(m_quick, request.crib);
    }
    m_ranked = rankCandidates(m_quick);
    showCandidates();
    if (request.text.trimmed().isEmpty()) {
        lblStatus->clear();
        return;
    }
    lblStatus->setText(QStringLiteral("Suche ohne Schlüssel läuft ..."));
    pbSuche->setValue(0);
    pbSuche->setVisible(true);
    btnAbbrechen->setEnabled(true);
    m_runner = std::make_unique<CodeBreakerRunner>(
        request, !quickHere, m_generation, this,
        [this](CodeBreakerRunner::Report report) { receive(std::move(report)); });
    showVerdict();
}

void TfrmCodeKnacker::receive(CodeBreakerRunner::Report report)
{
    if (report.generation != m_generation)
        return; // from a search the user has replaced
    if (report.quick) {
        m_quick = std::move(*report.quick);
        markCrib(m_quick, edtKrippe->text());
        m_ranked = rankCandidates(m_quick);
        showCandidates();
        return;
    }
    pbSuche->setValue(report.percent);
    if (!report.finished)
        return;
    m_runner.reset();
    pbSuche->setVisible(false);
    btnAbbrechen->setEnabled(false);
    if (!report.error.isEmpty()) {
        lblStatus->setText(report.error);
        return;
    }
    std::vector<Candidate> all = m_quick;
    all.insert(all.end(), report.candidates.begin(), report.candidates.end());
    markCrib(all, edtKrippe->text());
    m_ranked = rankCandidates(std::move(all));
    showCandidates();
    lblStatus->setText(report.cancelled
                           ? QStringLiteral("Suche abgebrochen: %1 Kandidaten").arg(m_ranked.size())
                           : QStringLiteral("%1 Kandidaten").arg(m_ranked.size()));
}

void TfrmCodeKnacker::btnAbbrechenClick()
{
    if (m_runner)
        m_runner->cancel(); // the worker reports what it has; receive() shows it
    btnAbbrechen->setEnabled(false);
}

void TfrmCodeKnacker::showCandidates()
{
    tblKandidaten->setSortingEnabled(false);
    tblKandidaten->clearContents();
    tblKandidaten->setRowCount(int(m_ranked.size()));
    for (int row = 0; row < int(m_ranked.size()); ++row) {
        const Candidate &candidate = m_ranked[size_t(row)];
        auto *rank = new NumberItem(row + 1, QString::number(row + 1));
        rank->setData(Qt::UserRole, row); // the candidate behind the row, whatever the sorting
        tblKandidaten->setItem(row, RankColumn, rank);
        tblKandidaten->setItem(row, MethodColumn, new QTableWidgetItem(candidate.method));
        tblKandidaten->setItem(row, KeyColumn, new QTableWidgetItem(candidate.key));
        tblKandidaten->setItem(row, LanguageColumn,
                               new QTableWidgetItem(languageCode(candidate.language)));
        tblKandidaten->setItem(
            row, ScoreColumn,
            new NumberItem(candidate.score, Numbers::formatFloat000(candidate.score)));
        const QString shown = shownPlain(candidate);
        auto *plain = new QTableWidgetItem(visibleLine(shown.left(2000)));
        plain->setToolTip(shown.left(2000));
        tblKandidaten->setItem(row, PlainColumn, plain);
    }
    tblKandidaten->setSortingEnabled(true);
    tblKandidaten->sortByColumn(RankColumn, Qt::AscendingOrder);
    showVerdict();
}

void TfrmCodeKnacker::showVerdict()
{
    const QString text = memGeheimtext->toPlainText();
    if (text.trimmed().isEmpty() || m_ranked.empty()) {
        lblUrteil->clear();
        return;
    }
    const QString pending = m_runner ? QStringLiteral(" (die Suche läuft noch)") : QString();
    const Candidate &first = m_ranked.front();
    if (readsAsText(first)) {
        const QString how = first.method == u"klartext"
            ? QStringLiteral("Der Text selbst")
            : QStringLiteral("„%1%2“").arg(
                  first.method, first.key.isEmpty() ? QString() : u" ("_qs + first.key + u')');
        lblUrteil->setText(
            QStringLiteral("<b>Lesbar:</b> %1 ergibt %2 Text (Bewertung %3).%4")
                .arg(how.toHtmlEscaped(),
                     first.language == Language::German ? u"deutschen"_qs : u"englischen"_qs,
                     Numbers::formatFloat000(first.score), pending));
        return;
    }
    QStringList lines {QStringLiteral("<b>%1</b>%2. Vermutlich:").arg(noReadingText(), pending)};
    for (const CipherGuess &guess : identifyCipher(text, m_ranked)) {
        if (lines.size() > 3)
            break;
        lines.append(QStringLiteral("<b>%1%2</b> (%3 %): %4")
                         .arg(guess.family.toHtmlEscaped(),
                              guess.method.isEmpty() ? QString() : u" – "_qs + guess.method)
                         .arg(qRound(guess.likelihood * 100))
                         .arg(guess.reasons.join(u' ').toHtmlEscaped()));
    }
    lblUrteil->setText(lines.join(QStringLiteral("<br>")));
}

QString TfrmCodeKnacker::shownPlain(const Candidate &candidate)
{
    if (!cbLeerzeichen->isChecked())
        return candidate.plain;
    return insertBlanks(candidate.plain, wordList(candidate.language));
}

const WordList &TfrmCodeKnacker::wordList(Language language)
{
    try {
        return m_wordLists.of(language);
    } catch (const QuarvelError &error) {
        // Only the list of the language the text reads best in is worth a word: a German text
        // does not need the English list for its few English-looking readings.
        if (!m_ranked.empty() && m_ranked.front().language == language)
            lblStatus->setText(error.message());
        return m_noWords;
    }
}

void TfrmCodeKnacker::copyRow()
{
    const int row = tblKandidaten->currentRow();
    if (row < 0)
        return;
    QStringList cells;
    for (int column = 0; column < tblKandidaten->columnCount(); ++column) {
        const QTableWidgetItem *item = tblKandidaten->item(row, column);
        cells.append(item ? item->text() : QString());
    }
    const int index = tblKandidaten->item(row, RankColumn)->data(Qt::UserRole).toInt();
    cells[PlainColumn] = m_ranked[size_t(index)].plain; // the whole text, line breaks kept
    QApplication::clipboard()->setText(cells.join(u'\t'));
}

void TfrmCodeKnacker::tblKandidatenDoubleClick(int row)
{
    const QTableWidgetItem *rank = tblKandidaten->item(row, RankColumn);
    if (!rank)
        return;
    const Candidate &candidate = m_ranked[size_t(rank->data(Qt::UserRole).toInt())];
    if (!m_openCipher || !Ciphers::findCipher(candidate.method)) {
        lblStatus->setText(QStringLiteral("„%1“ lässt sich nicht in „Weitere Chiffren“ öffnen.")
                               .arg(candidate.method));
        return;
    }
    m_openCipher(candidate.method, candidate.params);
}
