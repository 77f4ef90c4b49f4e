// The digester the hash search reuses for millions of texts: the same digests as Qt's own
// implementation at every padding boundary, the published "abc" vectors, and a refusal for an
// algorithm libcrypto does not offer.
#include "logic/calc/Digester.h"
#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

namespace {

QByteArray digestOf(Calc::Digester &digester, const QByteArray &text)
{
    QByteArray out(digester.size(), '\0');
    digester.digest(text.constData(), size_t(text.size()),
                    reinterpret_cast<unsigned char *>(out.data()));
    return out;
}

} // namespace

TEST(Digester, AgreesWithQtAtEveryPaddingBoundary)
{
    using A = QCryptographicHash::Algorithm;
    const A algorithms[] = {A::Md5,    A::Sha1,     A::Sha224,   A::Sha256,   A::Sha384,
                            A::Sha512, A::Sha3_224, A::Sha3_256, A::Sha3_384, A::Sha3_512};
    // One block holds 55 bytes of a 64-byte block with its padding (111 of 128 for SHA-384/512);
    // SHA3-256 takes 135 bytes in one block of 136.
    const int lengths[] = {0, 1, 55, 56, 63, 64, 65, 111, 112, 127, 128, 135, 136, 137, 300};
    for (const A algorithm : algorithms) {
        Calc::Digester digester(algorithm);
        EXPECT_EQ(digester.size(), QCryptographicHash::hashLength(algorithm));
        for (const int length : lengths) {
            SCOPED_TRACE(testing::Message() << int(algorithm) << ", " << length << " bytes");
            QByteArray text(length, 'a');
            for (int i = 0; i < length; ++i)
                text[i] = char('a' + i % 26);
            // Twice: the reused state must not carry anything over.
            EXPECT_EQ(digestOf(digester, text), QCryptographicHash::hash(text, algorithm));
            EXPECT_EQ(digestOf(digester, text), QCryptographicHash::hash(text, algorithm));
        }
    }
}

TEST(Digester, PublishedVectorsAndRefusals)
{
    using A = QCryptographicHash::Algorithm;
    struct Case
    {
        A algorithm;
        const char *hex;
    };
    const Case cases[] = {
        {A::Md5, "900150983cd24fb0d6963f7d28e17f72"},
        {A::Sha1, "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {A::Sha256, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
    };
    for (const Case &c : cases) {
        Calc::Digester digester(c.algorithm);
        EXPECT_EQ(digestOf(digester, "abc").toHex(), QByteArray(c.hex));
    }
    for (const A unsupported : {A::Md4, A::Keccak_256, A::Blake2b_512}) {
        SCOPED_TRACE(int(unsupported));
        EXPECT_THROW(Calc::Digester {unsupported}, QuarvelError);
    }
}
