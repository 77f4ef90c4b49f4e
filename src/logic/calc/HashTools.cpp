#include "logic/calc/HashTools.h"

#include "logic/calc/CalcTool.h"
#include "logic/common/QuarvelError.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QMessageAuthenticationCode>
#include <QRegularExpression>

#include <openssl/core_names.h>
#include <openssl/evp.h>

#include <memory>

namespace Calc {
namespace {

constexpr qint64 kBlock = 1 << 20;

using A = QCryptographicHash::Algorithm;

// libcrypto uses the processor's SHA instructions and vector units where Qt's own code does
// not; MD4, Keccak and BLAKE2 stay with Qt (MD4 sits in libcrypto's legacy provider only).
const EVP_MD *libcryptoDigest(A algorithm)
{
    switch (algorithm) {
    case A::Md5:
        return EVP_md5();
    case A::Sha1:
        return EVP_sha1();
    case A::Sha224:
        return EVP_sha224();
    case A::Sha256:
        return EVP_sha256();
    case A::Sha384:
        return EVP_sha384();
    case A::Sha512:
        return EVP_sha512();
    case A::Sha3_224:
        return EVP_sha3_224();
    case A::Sha3_256:
        return EVP_sha3_256();
    case A::Sha3_384:
        return EVP_sha3_384();
    case A::Sha3_512:
        return EVP_sha3_512();
    default:
        return nullptr;
    }
}

[[noreturn]] void libcryptoFailed()
{
    throw QuarvelError(QStringLiteral("Hash: Die Kryptobibliothek hat die Berechnung abgelehnt"));
}

// Feeds the device to `update` in blocks read into one reused buffer.
template<typename Update> void readBlocks(QIODevice &device, Update update)
{
    std::unique_ptr<char[]> buffer(new char[kBlock]);
    qint64 got = 0;
    while ((got = device.read(buffer.get(), kBlock)) > 0)
        update(buffer.get(), size_t(got));
    if (got < 0)
        throw QuarvelError(QStringLiteral("Datei: Lesefehler: %1").arg(device.errorString()));
}

QByteArray libcryptoHash(QIODevice &device, const EVP_MD *digest)
{
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                          EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), digest, nullptr) != 1)
        libcryptoFailed();
    readBlocks(device, [&](const char *data, size_t size) {
        if (EVP_DigestUpdate(context.get(), data, size) != 1)
            libcryptoFailed();
    });
    QByteArray result(EVP_MD_get_size(digest), '\0');
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context.get(), reinterpret_cast<unsigned char *>(result.data()),
                           &length) != 1)
        libcryptoFailed();
    result.truncate(int(length));
    return result;
}

QByteArray libcryptoHmac(QIODevice &device, const EVP_MD *digest, const QByteArray &key)
{
    const std::unique_ptr<EVP_MAC, decltype(&EVP_MAC_free)> mac(
        EVP_MAC_fetch(nullptr, OSSL_MAC_NAME_HMAC, nullptr), EVP_MAC_free);
    if (!mac)
        libcryptoFailed();
    const std::unique_ptr<EVP_MAC_CTX, decltype(&EVP_MAC_CTX_free)> context(
        EVP_MAC_CTX_new(mac.get()), EVP_MAC_CTX_free);
    char *digestName = const_cast<char *>(EVP_MD_get0_name(digest));
    const OSSL_PARAM params[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_DIGEST, digestName, 0),
        OSSL_PARAM_construct_end()};
    if (!context ||
        EVP_MAC_init(context.get(), reinterpret_cast<const unsigned char *>(key.constData()),
                     size_t(key.size()), params) != 1)
        libcryptoFailed();
    readBlocks(device, [&](const char *data, size_t size) {
        if (EVP_MAC_update(context.get(), reinterpret_cast<const unsigned char *>(data), size) != 1)
            libcryptoFailed();
    });
    QByteArray result(EVP_MAC_CTX_get_mac_size(context.get()), '\0');
    size_t length = 0;
    if (EVP_MAC_final(context.get(), reinterpret_cast<unsigned char *>(result.data()), &length,
                      size_t(result.size())) != 1)
        libcryptoFailed();
    result.truncate(int(length));
    return result;
}

Outcome hashTool(const Values &values)
{
    const QString chosen = values.value(QStringLiteral("verfahren"));
    const QByteArray key = values.value(QStringLiteral("hmac")).toUtf8();
    const QString path = values.value(QStringLiteral("datei"));
    const QString text = values.value(QStringLiteral("text"));
    QByteArray bytes;
    QFile file(path);
    if (!path.isEmpty()) {
        if (!file.open(QIODevice::ReadOnly))
            throw QuarvelError(QStringLiteral("Datei: „%1“ lässt sich nicht lesen: %2")
                                   .arg(path, file.errorString()));
    } else {
        bytes = encodeText(text, values.value(QStringLiteral("kodierung")));
    }
    QJsonObject digests;
    QStringList lines;
    for (const HashMethod &method : hashMethods()) {
        if (chosen != u"alle" && chosen != method.name)
            continue;
        QBuffer buffer(&bytes);
        QIODevice &device = path.isEmpty() ? static_cast<QIODevice &>(buffer) : file;
        if (path.isEmpty())
            buffer.open(QIODevice::ReadOnly);
        else
            file.seek(0);
        const QString hex = QString::fromLatin1(hashDevice(device, method.algorithm, key).toHex());
        digests.insert(method.name, hex);
        lines.append(method.name.leftJustified(12) + hex);
    }
    return {{QStringLiteral("eingabe"), {asText(), path.isEmpty() ? text : path}},
            {QStringLiteral("hashes"), {digests, lines.join(u'\n')}}};
}

Outcome recogniseTool(const Values &values)
{
    const QString hex = values.value(QStringLiteral("hex")).trimmed();
    static const QRegularExpression onlyHex(QStringLiteral("^[0-9A-Fa-f]+$"));
    if (!onlyHex.match(hex).hasMatch())
        throw QuarvelError(QStringLiteral("Hash: Bitte nur Hexadezimalziffern 0-9, a-f angeben"));
    QStringList names;
    for (const HashMethod &method : hashMethods()) {
        if (QCryptographicHash::hashLength(method.algorithm) * 2 == hex.size())
            names.append(method.name);
    }
    return {{QStringLiteral("eingabe"), {asText(), hex}},
            {QStringLiteral("verfahren"),
             {QJsonArray::fromStringList(names),
              names.isEmpty()
                  ? QStringLiteral("kein Verfahren hat %1 Hexadezimalziffern").arg(hex.size())
                  : names.join(QStringLiteral(", "))}}};
}

} // namespace

const std::vector<HashMethod> &hashMethods()
{
    static const std::vector<HashMethod> all = {
        {QStringLiteral("md4"), A::Md4},
        {QStringLiteral("md5"), A::Md5},
        {QStringLiteral("sha1"), A::Sha1},
        {QStringLiteral("sha224"), A::Sha224},
        {QStringLiteral("sha256"), A::Sha256},
        {QStringLiteral("sha384"), A::Sha384},
        {QStringLiteral("sha512"), A::Sha512},
        {QStringLiteral("sha3_224"), A::Sha3_224},
        {QStringLiteral("sha3_256"), A::Sha3_256},
        {QStringLiteral("sha3_384"), A::Sha3_384},
        {QStringLiteral("sha3_512"), A::Sha3_512},
        {QStringLiteral("keccak_224"), A::Keccak_224},
        {QStringLiteral("keccak_256"), A::Keccak_256},
        {QStringLiteral("keccak_384"), A::Keccak_384},
        {QStringLiteral("keccak_512"), A::Keccak_512},
        {QStringLiteral("blake2b_512"), A::Blake2b_512},
        {QStringLiteral("blake2s_256"), A::Blake2s_256},
    };
    return all;
}

QByteArray encodeText(const QString &text, const QString &encoding)
{
    if (encoding == u"latin1") {
        for (const QChar c : text) {
            if (c.unicode() > 0xFF)
                throw QuarvelError(QStringLiteral("Text: „%1“ gibt es in Latin-1 nicht").arg(c));
        }
        return text.toLatin1();
    }
    if (encoding == u"utf16le")
        return QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    return text.toUtf8();
}

QByteArray hashDevice(QIODevice &device, QCryptographicHash::Algorithm algorithm,
                      const QByteArray &key)
{
    if (const EVP_MD *digest = libcryptoDigest(algorithm))
        return key.isEmpty() ? libcryptoHash(device, digest) : libcryptoHmac(device, digest, key);
    if (key.isEmpty()) {
        QCryptographicHash hash(algorithm);
        readBlocks(device, [&](const char *data, size_t size) {
            hash.addData(QByteArrayView(data, qsizetype(size)));
        });
        return hash.result();
    }
    QMessageAuthenticationCode code(algorithm, key);
    readBlocks(device, [&](const char *data, size_t size) { code.addData(data, qsizetype(size)); });
    return code.result();
}

std::vector<Tool> hashTools()
{
    InputDecl text {QStringLiteral("text"), QStringLiteral("Text"), InputKind::Text};
    text.positional = true;
    text.rest = true;
    text.optional = true;
    text.help = QStringLiteral("der Text, dessen Hash gesucht ist");
    InputDecl method {QStringLiteral("verfahren"), QStringLiteral("Verfahren"), InputKind::Choice,
                      QStringLiteral("alle")};
    method.choices = {QStringLiteral("alle")};
    for (const HashMethod &m : hashMethods())
        method.choices.append(m.name);
    method.help = QStringLiteral("ein Verfahren oder alle");
    InputDecl encoding {QStringLiteral("kodierung"), QStringLiteral("Kodierung"), InputKind::Choice,
                        QStringLiteral("utf8")};
    encoding.choices = {QStringLiteral("utf8"), QStringLiteral("latin1"),
                        QStringLiteral("utf16le")};
    encoding.help = QStringLiteral("wie der Text zu Bytes wird");
    InputDecl key {QStringLiteral("hmac"), QStringLiteral("HMAC-Schlüssel"), InputKind::Text};
    key.optional = true;
    key.help = QStringLiteral("mit diesem Schlüssel den HMAC bilden");
    InputDecl file {QStringLiteral("datei"), QStringLiteral("Datei"), InputKind::File};
    file.optional = true;
    file.help = QStringLiteral("statt des Texts den Inhalt dieser Datei");
    InputDecl hex {QStringLiteral("hex"), QStringLiteral("Hash"), InputKind::Text};
    hex.positional = true;
    hex.rest = true;
    hex.help = QStringLiteral("ein Hash in Hexadezimalziffern");
    const QString node = QStringLiteral("Hashes");
    return {
        Tool {QStringLiteral("hash"),
              QStringLiteral("Hashwerte"),
              node,
              QStringLiteral("hash"),
              QString(),
              false,
              QStringLiteral("MD5, SHA-1, SHA-2, SHA-3, Keccak, BLAKE2 eines Texts oder einer "
                             "Datei, auf Wunsch als HMAC"),
              {text, method, encoding, key, file},
              {{QStringLiteral("eingabe"), QStringLiteral("Eingabe"), ResultDecl::Show::JsonOnly},
               {QStringLiteral("hashes"), QStringLiteral("Hashes"), ResultDecl::Show::Both, true}},
              hashTool,
              true,
              QStringLiteral("hash --verfahren sha1 abc")},
        Tool {QStringLiteral("hash-erkennen"),
              QStringLiteral("Hash erkennen"),
              node,
              QStringLiteral("hash"),
              QStringLiteral("erkennen"),
              true,
              QStringLiteral("Welche Verfahren geben einen Hash dieser Länge?"),
              {hex},
              {{QStringLiteral("eingabe"), QStringLiteral("Eingabe"), ResultDecl::Show::JsonOnly},
               {QStringLiteral("verfahren"), QStringLiteral("Verfahren")}},
              recogniseTool,
              true,
              QStringLiteral("hash --erkennen 900150983cd24fb0d6963f7d28e17f72")},
    };
}

} // namespace Calc
