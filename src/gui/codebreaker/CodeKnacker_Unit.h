#pragma once

#include "gui/codebreaker/CodeBreakerRunner.h"
#include "logic/language/WordBreaks.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;
struct AppContext;

// "Code-Knacker": paste a cipher text of unknown method and read the plain text at the top.
//
// Typing (after a short pause) starts a search: the text itself, the keyless decodings and the
// keyed ones fill the table at once (for long texts the worker decodes them first and the table
// shows them before its searches begin); the searches without key run on a worker
// (CodeBreakerRunner) with progress and "Abbrechen", and their results join the ranked table
// when they are done. A new text, key or language cancels the running search and starts over.
// Above the table the verdict says in words whether the first reading reads; when none does,
// it shows what the text probably is (CipherIdentification) instead of a winner.
// The window is not modal and keeps its state while the program runs.
class TfrmCodeKnacker : public QWidget
{
public:
    // Opens a cipher with its parameters in the "Weitere Chiffren" panel.
    using OpenCipher = std::function<void(const QString &method, const Ciphers::ParamValues &)>;

    explicit TfrmCodeKnacker(AppContext &context, QWidget *parent = nullptr);
    ~TfrmCodeKnacker() override;

    void setOpenCipher(OpenCipher open) { m_openCipher = std::move(open); }
    // Where the word lists for "Leerzeichen einfügen" lie ("ngerman", "american-english").
    void setWordListFolder(const QString &folder) { m_wordLists = WordLists(folder); }

    // Texts up to this length are decoded without a worker, so the list fills at once.
    static constexpr qsizetype kQuickLimit = 1000;

    QPlainTextEdit *memGeheimtext = nullptr;
    QLineEdit *edtSchluessel = nullptr;
    QLineEdit *edtKrippe = nullptr; // a word the plain text holds
    QCheckBox *cbKetten = nullptr; // also two keyless steps in a row
    QLineEdit *edtTransposition = nullptr; // ADFGX/ADFGVX: the square is searched with it
    QComboBox *cbSprache = nullptr;
    QCheckBox *cbLeerzeichen = nullptr; // "Leerzeichen einfügen" into plain texts without blanks
    QTableWidget *tblKandidaten = nullptr;
    QProgressBar *pbSuche = nullptr;
    QPushButton *btnAbbrechen = nullptr;
    QPushButton *btnKopieren = nullptr;
    QPushButton *btnSchliessen = nullptr;
    QLabel *lblStatus = nullptr;
    // The verdict in words above the table, and when nothing reads, what the text probably is.
    QLabel *lblUrteil = nullptr;

    // The search now: the request is built from the controls at once, not after the pause.
    void startSearch();
    bool searching() const { return m_runner != nullptr; }

private:
    void createControls();
    void connectControls();
    void inputChanged();
    void btnAbbrechenClick();
    void copyRow();
    void tblKandidatenDoubleClick(int row);
    void receive(CodeBreakerRunner::Report report);
    BreakerRequest currentRequest() const;
    void showCandidates();
    void showVerdict();
    QString shownPlain(const Candidate &candidate);
    // The list of the language, read on first use; empty (with a note in lblStatus) when the
    // file cannot be read.
    const WordList &wordList(Language language);
    void stopRunner();

    AppContext &m_context;
    OpenCipher m_openCipher;
    QTimer *m_pause = nullptr;
    std::unique_ptr<CodeBreakerRunner> m_runner;
    int m_generation = 0;
    std::vector<Candidate> m_quick; // the candidates of the current text without the searches
    std::vector<Candidate> m_ranked; // what the table shows, in rank order
    WordLists m_wordLists {WordList::systemFolder()};
    WordList m_noWords; // stands in for a list that cannot be read
};
