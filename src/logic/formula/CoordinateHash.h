#pragma once

#include "logic/calc/Digester.h"
#include "logic/formula/CoordinateForm.h"

#include <QByteArray>

#include <string>
#include <vector>

namespace Formula {

// The digests a listing may give of its final's coordinate text.
struct CoordinateHashMethod
{
    QString name; // "sha3-256", for the command line
    QString label; // "SHA3-256", for messages and the window
    QCryptographicHash::Algorithm algorithm;
    int hexDigits;
};
const std::vector<CoordinateHashMethod> &coordinateHashMethods();
// By name or label, case-insensitively; throws QuarvelError naming the known ones.
const CoordinateHashMethod &coordinateHashMethod(const QString &name);

// What a hash search looks for: the digest of the coordinate text written in the form (UTF-8).
struct HashTarget
{
    const CoordinateHashMethod *method = nullptr;
    QByteArray digest;
    CoordinateForm form;
};
// `hex`: the digest in hexadecimal digits, blanks ignored. Throws QuarvelError for a character
// that is no hexadecimal digit and for a length that does not fit the method (naming the
// methods it would fit).
HashTarget hashTarget(const QString &hex, const CoordinateHashMethod &method, CoordinateForm form);

// Compares candidates with a target; writes each into one reused text and hashes it there.
// One per thread.
class HashMatcher
{
public:
    // Keeps a reference: the target outlives the matcher.
    explicit HashMatcher(const HashTarget &target);
    HashMatcher(HashTarget &&) = delete;
    // False for a position the form cannot write (not valid).
    bool matches(const ReadPosition &position);

private:
    const HashTarget &m_target;
    Calc::Digester m_digester;
    std::vector<char> m_text; // as long as the longest text the form writes
    unsigned char m_digest[64];
    uint64_t m_prefix = 0; // the target's first eight bytes, for a quick no
};

} // namespace Formula
