#pragma once

#include <QCryptographicHash>

#include <memory>

namespace Calc {

// Digests of many short texts, one after the other, through libcrypto: a search over millions
// of candidates allocates nothing per text for MD5, SHA-1 and SHA-2, and uses the processor's
// SHA instructions. One per thread.
class Digester
{
public:
    // Throws QuarvelError for an algorithm libcrypto does not offer (MD4, Keccak, BLAKE2).
    explicit Digester(QCryptographicHash::Algorithm algorithm);
    ~Digester();
    Digester(const Digester &) = delete;
    Digester &operator=(const Digester &) = delete;

    int size() const { return m_size; } // bytes of a digest
    // Writes size() bytes to `out`.
    void digest(const char *data, size_t length, unsigned char *out);

private:
    struct State;
    std::unique_ptr<State> m_state;
    int m_size = 0;
};

} // namespace Calc
