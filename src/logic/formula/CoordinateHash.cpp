#include "logic/formula/CoordinateHash.h"

#include "logic/common/QuarvelError.h"
#include "logic/formula/PositionReader.h"

#include <QStringList>

#include <cstring>

namespace Formula {

const std::vector<CoordinateHashMethod> &coordinateHashMethods()
{
    using A = QCryptographicHash::Algorithm;
    static const std::vector<CoordinateHashMethod> all = {
        {QStringLiteral("md5"), QStringLiteral("MD5"), A::Md5, 32},
        {QStringLiteral("sha1"), QStringLiteral("SHA-1"), A::Sha1, 40},
        {QStringLiteral("sha256"), QStringLiteral("SHA-256"), A::Sha256, 64},
        {QStringLiteral("sha512"), QStringLiteral("SHA-512"), A::Sha512, 128},
        {QStringLiteral("sha3-256"), QStringLiteral("SHA3-256"), A::Sha3_256, 64},
    };
    return all;
}

const CoordinateHashMethod &coordinateHashMethod(const QString &name)
{
    QStringList names;
    for (const CoordinateHashMethod &method : coordinateHashMethods()) {
        if (name.trimmed().compare(method.name, Qt::CaseInsensitive) == 0 ||
            name.trimmed().compare(method.label, Qt::CaseInsensitive) == 0)
            return method;
        names.append(method.name);
    }
    throw QuarvelError(QStringLiteral("Hash: unbekanntes Verfahren „%1“; bekannt sind %2")
                           .arg(name, names.join(QStringLiteral(", "))));
}

HashTarget hashTarget(const QString &hex, const CoordinateHashMethod &method, CoordinateForm form)
{
    QString digits;
    for (qsizetype i = 0; i < hex.size(); ++i) {
        const QChar c = hex.at(i);
        if (c.isSpace())
            continue;
        if (!QStringLiteral("0123456789abcdefABCDEF").contains(c))
            throw QuarvelError(
                QStringLiteral("Hash: „%1“ (Zeichen %2) ist keine Hexadezimalziffer 0-9, a-f")
                    .arg(c)
                    .arg(i + 1));
        digits += c;
    }
    if (digits.isEmpty())
        throw QuarvelError(QStringLiteral("Hash: Bitte den gesuchten Hash eingeben"));
    if (digits.size() != method.hexDigits) {
        QStringList fitting;
        for (const CoordinateHashMethod &other : coordinateHashMethods()) {
            if (other.hexDigits == digits.size())
                fitting.append(other.label);
        }
        QString message = QStringLiteral("Hash: Ein %1-Hash hat %2 Hexadezimalziffern, der "
                                         "eingegebene hat %3")
                              .arg(method.label)
                              .arg(method.hexDigits)
                              .arg(digits.size());
        if (!fitting.isEmpty())
            message += QStringLiteral("; diese Länge passt zu %1").arg(fitting.join(u'/'));
        throw QuarvelError(message);
    }
    return {&method, QByteArray::fromHex(digits.toLatin1()), std::move(form)};
}

HashMatcher::HashMatcher(const HashTarget &target)
    : m_target(target)
    , m_digester(target.method->algorithm)
    , m_text(target.form.maxLength())
{
    std::memcpy(&m_prefix, target.digest.constData(), sizeof m_prefix);
}

bool HashMatcher::matches(const ReadPosition &position)
{
    const size_t length = m_target.form.write(position, m_text.data());
    if (!position.valid)
        return false;
    m_digester.digest(m_text.data(), length, m_digest);
    uint64_t prefix = 0;
    std::memcpy(&prefix, m_digest, sizeof prefix);
    return prefix == m_prefix &&
        std::memcmp(m_digest, m_target.digest.constData(), size_t(m_target.digest.size())) == 0;
}

} // namespace Formula
