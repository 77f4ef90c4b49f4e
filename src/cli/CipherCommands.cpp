// Subcommands of the ciphers: the ROT family, Vigenère and Trifid.
#include "cli/CommandTable.h"
#include "logic/common/Numbers.h"
#include "logic/tools/CryptoTools.h"

namespace Cli {
namespace {

using TextFunction = QString (*)(const QString &);

TextFunction rotMode(const QString &mode)
{
    if (mode == u"5")
        return Rot5;
    if (mode == u"18")
        return Rot18;
    if (mode == u"47")
        return Rot47;
    return Rot13;
}

Handler rotShiftHandler(const QString &shiftText)
{
    const std::optional<int32_t> shift = Numbers::tryStrToInt(shiftText);
    if (!shift || *shift < 0 || *shift > 26)
        throw UsageError {QStringLiteral("Die Verschiebung muss eine Zahl von 0 bis 26 sein: „%1“")
                              .arg(shiftText)};
    const int n = *shift;
    return [n](const QString &input, ResultSink &sink) {
        Result result;
        result.fields = {field(QStringLiteral("ergebnis"), {}, RotN(input, n)),
                         Field {QStringLiteral("verschiebung"), {}, n, {}, Field::Show::JsonOnly}};
        sink.report(result);
    };
}

void reportShiftTable(const QString &input, ResultSink &sink)
{
    const QStringList lines = RotShiftLines(input);
    Result result;
    if (sink.json())
        result.fields = {Field {QStringLiteral("zeilen"),
                                {},
                                QJsonValue(QJsonValue::Undefined),
                                {},
                                Field::Show::JsonOnly,
                                lines}};
    else
        result.fields = {field({}, {}, lines.join(u'\n'))};
    sink.report(result);
}

Handler rotHandler(const Options &options)
{
    const int chosen = int(options.has(QStringLiteral("mode"))) +
        int(options.has(QStringLiteral("shift"))) + int(options.has(QStringLiteral("all")));
    if (chosen > 1)
        throw UsageError {QStringLiteral("Nur eine der Optionen --modus, -n und --alle")};
    if (options.has(QStringLiteral("all")))
        return reportShiftTable;
    if (options.has(QStringLiteral("shift")))
        return rotShiftHandler(options.value(QStringLiteral("shift")));
    const QString mode = choice(
        options, QStringLiteral("mode"),
        {QStringLiteral("5"), QStringLiteral("13"), QStringLiteral("18"), QStringLiteral("47")},
        QStringLiteral("13"));
    const TextFunction rot = rotMode(mode);
    return [rot, mode](const QString &input, ResultSink &sink) {
        Result result;
        result.fields = {
            field(QStringLiteral("ergebnis"), {}, rot(input)),
            Field {QStringLiteral("modus"), {}, mode.toInt(), {}, Field::Show::JsonOnly}};
        sink.report(result);
    };
}

QString requiredKey(const Options &options)
{
    const QString key = options.value(QStringLiteral("key"));
    if (key.isEmpty())
        throw UsageError {QStringLiteral("Kein Schlüssel vorhanden ! (--key SCHLÜSSEL)")};
    return key;
}

bool decrypting(const Options &options)
{
    if (options.has(QStringLiteral("decrypt")) && options.has(QStringLiteral("encrypt")))
        throw UsageError {
            QStringLiteral("Nur eine Richtung: --verschluesseln oder --entschluesseln")};
    return options.has(QStringLiteral("decrypt"));
}

Handler cipherHandler(QString (*cipher)(const QString &, const QString &), const QString &key,
                      bool decrypt)
{
    // A key with anything but letters fails here once, before any input is read.
    cipher(QString(), key);
    const QString direction =
        decrypt ? QStringLiteral("entschluesseln") : QStringLiteral("verschluesseln");
    return [=](const QString &input, ResultSink &sink) {
        Result result;
        result.fields = {
            field(QStringLiteral("ergebnis"), {}, cipher(input, key)),
            Field {QStringLiteral("richtung"), {}, direction, {}, Field::Show::JsonOnly}};
        sink.report(result);
    };
}

QString vigenereEncryptUpper(const QString &text, const QString &key)
{
    return VigenereEncrypt(text, key, true);
}

Handler vigenereHandler(const Options &options)
{
    const bool decrypt = decrypting(options);
    return cipherHandler(decrypt ? VigenereDecrypt : vigenereEncryptUpper, requiredKey(options),
                         decrypt);
}

Handler trifidHandler(const Options &options)
{
    const bool decrypt = decrypting(options);
    return cipherHandler(decrypt ? TrifidDecrypt : TrifidEncrypt, requiredKey(options), decrypt);
}

std::vector<OptionDecl> cipherOptions()
{
    return {
        {{QStringLiteral("-k"), QStringLiteral("--key"), QStringLiteral("--schluessel")},
         QStringLiteral("key"),
         QStringLiteral("SCHLÜSSEL"),
         QStringLiteral("der Schlüssel (nur Buchstaben), nötig")},
        {{QStringLiteral("-e"), QStringLiteral("--verschluesseln"), QStringLiteral("--encrypt")},
         QStringLiteral("encrypt"),
         {},
         QStringLiteral("verschlüsseln (Vorgabe)")},
        {{QStringLiteral("-d"), QStringLiteral("--entschluesseln"), QStringLiteral("--decrypt")},
         QStringLiteral("decrypt"),
         {},
         QStringLiteral("entschlüsseln")}};
}

} // namespace

Command rotCommand()
{
    return Command {
        {QStringLiteral("rot")},
        QStringLiteral("ROT5, ROT13, ROT18, ROT47, ROT-N und die Tafel aller 26 Verschiebungen"),
        QStringLiteral("[TEXT ...]"),
        QStringLiteral(
            "Verschiebt die Zeichen des Texts: ROT5 die Ziffern, ROT13 die Buchstaben, ROT18\n"
            "beides, ROT47 alle druckbaren ASCII-Zeichen; mit -n N die Buchstaben um N Stellen.\n"
            "--alle gibt die 27 Zeilen „00 Text“ bis „26 Text“ aus.\n\n"
            "Beispiele: quarvel-cli rot 'Hallo Welt!'   ergibt Unyyb Jryg!\n"
            "           quarvel-cli rot -m 47 Cache     ergibt r2496"),
        {{{QStringLiteral("-m"), QStringLiteral("--modus"), QStringLiteral("--mode")},
          QStringLiteral("mode"),
          QStringLiteral("MODUS"),
          QStringLiteral("5, 13 (Vorgabe), 18 oder 47")},
         {{QStringLiteral("-n"), QStringLiteral("--verschiebung"), QStringLiteral("--shift")},
          QStringLiteral("shift"),
          QStringLiteral("N"),
          QStringLiteral("Buchstaben um N Stellen verschieben (0 bis 26)")},
         {{QStringLiteral("-a"), QStringLiteral("--alle"), QStringLiteral("--all")},
          QStringLiteral("all"),
          {},
          QStringLiteral("alle Verschiebungen 0 bis 26 untereinander")}},
        InputKind::Line,
        rotHandler};
}

Command vigenereCommand()
{
    return Command {
        {QStringLiteral("vigenere"), QStringLiteral("vigenère")},
        QStringLiteral("Vigenère-Verschlüsselung mit einem Schlüsselwort"),
        QStringLiteral("--key SCHLÜSSEL [TEXT ...]"),
        QStringLiteral(
            "Verschiebt jeden Buchstaben um den Buchstaben des Schlüssels (A um 0 .. Z um 25).\n"
            "Das Ergebnis steht in Großbuchstaben; andere Zeichen bleiben stehen und verbrauchen\n"
            "keinen Schlüsselbuchstaben.\n\n"
            "Beispiel: quarvel-cli vigenere --key LIMA 'Hallo Welt'\n"
            "  SIXLZ EQLE"),
        cipherOptions(),
        InputKind::Line,
        vigenereHandler};
}

Command trifidCommand()
{
    return Command {
        {QStringLiteral("trifid")},
        QStringLiteral("Trifid-Verschlüsselung über einen Würfel aus 27 Zeichen"),
        QStringLiteral("--key SCHLÜSSEL [TEXT ...]"),
        QStringLiteral(
            "Verschlüsselt die Buchstaben A bis Z und den Punkt mit dem Schlüsselwürfel;\n"
            "Leerzeichen und alle anderen Zeichen fallen weg. Ein Schlüssel aus einem einzigen\n"
            "Buchstaben ergibt einen leeren Text.\n\n"
            "Beispiel: quarvel-cli trifid --key GEHEIM 'Hallo Welt'\n"
            "  IQCUALMNE"),
        cipherOptions(),
        InputKind::Line,
        trifidHandler};
}

} // namespace Cli
