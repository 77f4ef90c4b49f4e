#pragma once

// The classical ciphers and encodings as one table. A cipher declares its names, its parameters
// and two pure functions; the panel, the command line and the code breaker all work from the
// declaration, so a new cipher is one factory in the file of its family and one line in the table.

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace Ciphers {

// The values of a cipher's parameters, by parameter key, as text (the way a field or a command
// line holds them). A missing key takes the parameter's default; a switch is on for "1".
using ParamValues = QHash<QString, QString>;

enum class ParamKind {
    Text, // free text, e.g. a key word
    Number, // an integer from minimum to maximum
    Choice, // one of `choices`
    Switch, // on ("1") or off ("" or "0")
};

struct ParamDecl
{
    QString key; // also the command-line option: "--" + key
    QString label; // German caption of the panel field
    ParamKind kind = ParamKind::Text;
    QString defaultValue;
    QStringList choices; // Choice only
    int minimum = 0; // Number only
    int maximum = 0;
    QString help; // German, one line, for the command-line help and the field's tool tip
};

// What the parameters mean to someone who tries every cipher on a text.
enum class Keying {
    None, // the defaults give the usual form; the parameters only choose conventions
    Key, // needs a key word ("schluessel", for ADFGX/ADFGVX also "transposition")
    Numbers, // needs numbers (affine a and b, rails, circumference, shift)
};

using CipherFunction = QString (*)(const QString &text, const ParamValues &values);

struct Cipher
{
    QString cliName; // "atbash", "affin", ...
    QString germanName; // "Atbash", "Affine Chiffre", ...
    QString explanation; // German, one line
    std::vector<ParamDecl> params;
    Keying keying = Keying::None;
    CipherFunction encodeFunction = nullptr;
    CipherFunction decodeFunction = nullptr;

    // Both fill in the defaults of parameters missing from `values`, check every value and throw
    // QuarvelError with a German message for an invalid parameter or text.
    QString encode(const QString &text, const ParamValues &values = {}) const;
    QString decode(const QString &text, const ParamValues &values = {}) const;

    // `values` with every missing parameter at its default; throws QuarvelError for a number
    // outside its range or an unknown choice.
    ParamValues completed(const ParamValues &values) const;
    const ParamDecl *param(const QString &key) const;
};

// Every cipher, in the order the panel lists them.
const std::vector<Cipher> &cipherRegistry();

// The cipher with that command-line name, or nullptr.
const Cipher *findCipher(const QString &cliName);

// Reading completed values inside a cipher function.
QString textParam(const ParamValues &values, const QString &key);
int numberParam(const ParamValues &values, const QString &key);
bool switchParam(const ParamValues &values, const QString &key);

} // namespace Ciphers
