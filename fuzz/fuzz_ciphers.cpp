// The cipher routines on arbitrary text and keys: the shifts undo themselves, and decryption
// undoes encryption whenever the key is accepted.
#include "logic/common/QuarvelError.h"
#include "logic/tools/CryptoTools.h"

#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

QString asciiUpper(QString text)
{
    for (QChar &c : text) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // UTF-16 code units, so unpaired surrogates and every other unit reach the routines; the
    // first unit says how many of the rest form the key.
    const QString all =
        QString::fromUtf16(reinterpret_cast<const char16_t *>(data), qsizetype(size / 2));
    if (all.isEmpty())
        return 0;
    const qsizetype keyLength = std::min<qsizetype>(all.at(0).unicode() % 16, all.size() - 1);
    const QString key = all.mid(1, keyLength);
    const QString text = all.mid(1 + keyLength);

    check(Rot5(Rot5(text)) == text && Rot13(Rot13(text)) == text);
    check(Rot18(Rot18(text)) == text && Rot47(Rot47(text)) == text);
    check(RotShiftLines(text).size() == 27);
    try {
        const QString cipher = VigenereEncrypt(text, key);
        check(cipher.size() == text.size());
        check(VigenereDecrypt(cipher, key) == asciiUpper(text));
    } catch (const QuarvelError &) {
    }
    try {
        const QString cipher = TrifidEncrypt(text, key);
        const QString plain = TrifidDecrypt(cipher, key);
        check(TrifidEncrypt(plain, key) == cipher);
    } catch (const QuarvelError &) {
    }
    return 0;
}
