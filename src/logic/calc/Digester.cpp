#include "logic/calc/Digester.h"

#include "logic/common/QuarvelError.h"

// libcrypto 3 allocates a provider context at every initialisation of an EVP digest, which
// costs as much as the digest of a short text. Its functions per algorithm keep their state
// in a plain structure and reach the same assembly; they are marked deprecated in favour of
// EVP but stay part of the library's interface. SHA-3 has no such functions and goes through
// EVP with a digest fetched once.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/evp.h>
#include <openssl/md5.h>
#include <openssl/sha.h>

namespace Calc {

namespace {

using A = QCryptographicHash::Algorithm;

[[noreturn]] void refused()
{
    throw QuarvelError(QStringLiteral("Hash: Die Kryptobibliothek hat die Berechnung abgelehnt"));
}

const char *sha3Name(A algorithm)
{
    switch (algorithm) {
    case A::Sha3_224:
        return "SHA3-224";
    case A::Sha3_256:
        return "SHA3-256";
    case A::Sha3_384:
        return "SHA3-384";
    case A::Sha3_512:
        return "SHA3-512";
    default:
        return nullptr;
    }
}

} // namespace

struct Digester::State
{
    A algorithm;
    union {
        MD5_CTX md5;
        SHA_CTX sha1;
        SHA256_CTX sha256;
        SHA512_CTX sha512;
    } plain {};
    EVP_MD *digest = nullptr;
    EVP_MD_CTX *context = nullptr;
    ~State()
    {
        EVP_MD_CTX_free(context);
        EVP_MD_free(digest);
    }
};

Digester::Digester(QCryptographicHash::Algorithm algorithm)
    : m_state(new State {algorithm})
    , m_size(QCryptographicHash::hashLength(algorithm))
{
    switch (algorithm) {
    case A::Md5:
    case A::Sha1:
    case A::Sha224:
    case A::Sha256:
    case A::Sha384:
    case A::Sha512:
        return;
    default:
        break;
    }
    const char *name = sha3Name(algorithm);
    if (!name)
        refused();
    m_state->digest = EVP_MD_fetch(nullptr, name, nullptr);
    m_state->context = EVP_MD_CTX_new();
    if (!m_state->digest || !m_state->context ||
        EVP_DigestInit_ex2(m_state->context, m_state->digest, nullptr) != 1)
        refused();
}

Digester::~Digester() = default;

void Digester::digest(const char *data, size_t length, unsigned char *out)
{
    auto &plain = m_state->plain;
    bool ok = false;
    switch (m_state->algorithm) {
    case A::Md5:
        ok = MD5_Init(&plain.md5) && MD5_Update(&plain.md5, data, length) &&
            MD5_Final(out, &plain.md5);
        break;
    case A::Sha1:
        ok = SHA1_Init(&plain.sha1) && SHA1_Update(&plain.sha1, data, length) &&
            SHA1_Final(out, &plain.sha1);
        break;
    case A::Sha224:
        ok = SHA224_Init(&plain.sha256) && SHA224_Update(&plain.sha256, data, length) &&
            SHA224_Final(out, &plain.sha256);
        break;
    case A::Sha256:
        ok = SHA256_Init(&plain.sha256) && SHA256_Update(&plain.sha256, data, length) &&
            SHA256_Final(out, &plain.sha256);
        break;
    case A::Sha384:
        ok = SHA384_Init(&plain.sha512) && SHA384_Update(&plain.sha512, data, length) &&
            SHA384_Final(out, &plain.sha512);
        break;
    case A::Sha512:
        ok = SHA512_Init(&plain.sha512) && SHA512_Update(&plain.sha512, data, length) &&
            SHA512_Final(out, &plain.sha512);
        break;
    default: {
        unsigned int written = 0;
        // A null digest keeps the fetched one.
        ok = EVP_DigestInit_ex2(m_state->context, nullptr, nullptr) == 1 &&
            EVP_DigestUpdate(m_state->context, data, length) == 1 &&
            EVP_DigestFinal_ex(m_state->context, out, &written) == 1 && int(written) == m_size;
    }
    }
    if (!ok)
        refused();
}

} // namespace Calc
