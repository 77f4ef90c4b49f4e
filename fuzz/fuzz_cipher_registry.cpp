// Every cipher of the registry decoding arbitrary text with arbitrary parameters: no crash, no
// hang, and anything but a German message for invalid input is a fault. Encoding the decoded
// text must work with the same parameters.
#include "logic/ciphers/CipherRegistry.h"
#include "logic/common/QuarvelError.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

// Reads the parameter values from the front of the input.
class Reader
{
public:
    Reader(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    QString text(size_t length)
    {
        const size_t n = std::min(length, m_size - m_pos);
        QString result =
            QString::fromLatin1(reinterpret_cast<const char *>(m_data + m_pos), qsizetype(n));
        m_pos += n;
        return result;
    }
    QString rest()
    {
        QString result = QString::fromUtf8(reinterpret_cast<const char *>(m_data + m_pos),
                                           qsizetype(m_size - m_pos));
        m_pos = m_size;
        return result;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

QString value(const Ciphers::ParamDecl &decl, Reader &in)
{
    const uint8_t b = in.byte();
    switch (decl.kind) {
    case Ciphers::ParamKind::Number:
        // Around the range and its limits, also a little outside.
        return QString::number(b < 200 ? decl.minimum - 2 + b : decl.maximum - 250 + b);
    case Ciphers::ParamKind::Choice:
        return b < 250 ? decl.choices.at(b % decl.choices.size()) : QStringLiteral("x");
    case Ciphers::ParamKind::Switch:
        return b % 2 ? QStringLiteral("1") : QString();
    case Ciphers::ParamKind::Text:
        // 255 keeps the default, so codes with long settings (the Chaocipher's alphabets) are
        // reached with valid ones too.
        return b == 255 ? decl.defaultValue : in.text(b % 16);
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Reader in(data, size);
    const auto &registry = Ciphers::cipherRegistry();
    const Ciphers::Cipher &cipher = registry.at(in.byte() % registry.size());
    Ciphers::ParamValues values;
    for (const Ciphers::ParamDecl &decl : cipher.params)
        values.insert(decl.key, value(decl, in));
    const QString text = in.rest();
    QString plain;
    try {
        plain = cipher.decode(text, values);
    } catch (const QuarvelError &) {
        return 0;
    }
    try {
        cipher.encode(plain, values);
    } catch (const QuarvelError &) {
        // Decoding may accept what encoding refuses (Hill's matrix check is for decoding only,
        // T9 the other way round, Latin-1 text that is no Latin-1 after decoding).
    }
    return 0;
}
