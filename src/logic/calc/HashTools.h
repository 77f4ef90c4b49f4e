#pragma once

// Message digests and keyed ones (HMAC) over a text in a chosen encoding or over a file read in
// blocks: MD5, SHA-1, SHA-2 and SHA-3 through OpenSSL's libcrypto, the rest through Qt's
// QCryptographicHash and QMessageAuthenticationCode.

#include <QCryptographicHash>
#include <QString>
#include <QStringList>

#include <vector>

class QIODevice;

namespace Calc {

struct Tool;

struct HashMethod
{
    QString name; // "sha3_256"
    QCryptographicHash::Algorithm algorithm;
};

const std::vector<HashMethod> &hashMethods();
// The text as bytes: "utf8", "latin1" (refuses characters beyond U+00FF) or "utf16le".
QByteArray encodeText(const QString &text, const QString &encoding);
// The digest of everything `device` still holds; an empty key means a plain digest. A read
// error is refused rather than hashed as if the data ended there.
QByteArray hashDevice(QIODevice &device, QCryptographicHash::Algorithm algorithm,
                      const QByteArray &key = {});

std::vector<Tool> hashTools();

} // namespace Calc
