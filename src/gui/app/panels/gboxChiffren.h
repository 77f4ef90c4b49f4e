#pragma once

#include "gui/app/ToolPanel.h"
#include "gui/support/LongParagraphEdit.h"
#include "logic/ciphers/CipherRegistry.h"

#include <QHash>

class QGridLayout;
class QLabel;
class QListWidget;
class QTimer;
class QWidget;
struct AppContext;

// The ciphers of the registry in one panel. Choosing a cipher builds its parameter fields from
// its declaration; typing in the plain-text box encodes into the cipher-text box and typing in
// the cipher-text box decodes into the plain-text box. A parameter change repeats the last
// direction. Texts up to kAtOnceLimit characters are converted at once; longer ones after a
// pause in the typing and on a worker thread, so the window never waits for them, and a result
// that a newer change has overtaken is dropped. An invalid parameter or text shows its German
// message below the fields or beside the text it belongs to; there is no message box. Each
// cipher keeps its parameter values while the panel lives.
class gboxChiffren : public ToolPanel
{
public:
    gboxChiffren(AppContext &context, QWidget *parent = nullptr);

    // The slowest cipher takes some milliseconds for this many characters.
    static constexpr qsizetype kAtOnceLimit = 10000;
    // The pause in typing after which a longer text is converted.
    static constexpr int kPauseMs = 300;

    // Whether a long text's conversion is waiting for the pause or running on the worker.
    bool converting() const;

    QListWidget *lstChiffren = nullptr;
    QLabel *lblErklaerung = nullptr;
    QWidget *pnlParameter = nullptr;
    QLabel *lblParameterFehler = nullptr;
    QLabel *lblKlartext = nullptr;
    QLabel *lblKlartextFehler = nullptr;
    LongParagraphEdit *rtfKlartext = nullptr;
    QLabel *lblGeheimtext = nullptr;
    QLabel *lblGeheimtextFehler = nullptr;
    LongParagraphEdit *rtfGeheimtext = nullptr;

    // The parameter field of the current cipher for `key` (a QLineEdit, QComboBox or QCheckBox).
    QWidget *parameterField(const QString &key) const;

    // Chooses the cipher named `cliName` with `values` for its parameters and decodes
    // `cipherText`: how the code breaker hands over a candidate.
    void openCipher(const QString &cliName, const Ciphers::ParamValues &values,
                    const QString &cipherText);

private:
    enum class Direction { Encode, Decode };

    void createControls();
    void layOut();
    void buildParameterFields();
    QWidget *createField(const Ciphers::ParamDecl &decl, const QString &value);

    void lstChiffrenChange();
    void parameterChange();
    void rtfKlartextChange();
    void rtfGeheimtextChange();

    const Ciphers::Cipher &currentCipher() const;
    Ciphers::ParamValues fieldValues() const;
    void convert();
    bool parametersValid(const Ciphers::ParamValues &values);
    void showResult(LongParagraphEdit *target, const QString &text);
    void startInBackground();
    void finishInBackground(int generation, const QString &result, const QString &error);

    AppContext &m_context;
    QGridLayout *m_form = nullptr;
    QHash<QString, QWidget *> m_fields; // by parameter key
    QHash<QString, Ciphers::ParamValues> m_values; // by cipher name
    Direction m_direction = Direction::Encode;
    bool m_updating = false;
    // Counts the changes; a worker's result counts only when no change came after its start.
    int m_generation = 0;
    QTimer *m_pause = nullptr;
    bool m_workerBusy = false;
    // The pause ended while the worker was busy: start again when it is done.
    bool m_startWhenDone = false;
};
