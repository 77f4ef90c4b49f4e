#pragma once

#include "gui/app/ToolPanel.h"
#include "logic/ciphers/CipherRegistry.h"

#include <QHash>

class QFormLayout;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QWidget;
struct AppContext;

// The ciphers of the registry in one panel. Choosing a cipher builds its parameter fields from
// its declaration; typing in the plain-text box encodes into the cipher-text box and typing in
// the cipher-text box decodes into the plain-text box, at once. A parameter change repeats the
// last direction. An invalid parameter or text shows its German message beside the field it
// belongs to; there is no message box. Each cipher keeps its parameter values while the panel
// lives.
class gboxChiffren : public ToolPanel
{
public:
    gboxChiffren(AppContext &context, QWidget *parent = nullptr);

    QListWidget *lstChiffren = nullptr;
    QLabel *lblErklaerung = nullptr;
    QWidget *pnlParameter = nullptr;
    QLabel *lblParameterFehler = nullptr;
    QLabel *lblKlartext = nullptr;
    QLabel *lblKlartextFehler = nullptr;
    QPlainTextEdit *rtfKlartext = nullptr;
    QLabel *lblGeheimtext = nullptr;
    QLabel *lblGeheimtextFehler = nullptr;
    QPlainTextEdit *rtfGeheimtext = nullptr;

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
    void showResult(QPlainTextEdit *target, const QString &text);

    AppContext &m_context;
    QFormLayout *m_form = nullptr;
    QHash<QString, QWidget *> m_fields; // by parameter key
    QHash<QString, Ciphers::ParamValues> m_values; // by cipher name
    Direction m_direction = Direction::Encode;
    bool m_updating = false;
};
