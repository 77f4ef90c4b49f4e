#include "logic/tools/LetterKernels.h"

#include <gtest/gtest.h>

#include <random>

using namespace LetterKernels;

namespace {

// Letters at every position of texts of 0..70 code units (and one of 1000), around the ends of the
// 32-unit blocks, mixed with what must pass through: the neighbours of the letter ranges, umlauts,
// "ß", a surrogate pair and units whose low byte is an ASCII letter (U+0141, U+FF21).
QString mixedText(std::mt19937 &engine, int length)
{
    static const QString pool = QStringLiteral("abyzABYZ@[`{09 .\nÄöß\u0141\uFF21\U0001F600");
    std::uniform_int_distribution<int> pick(0, int(pool.size()) - 1);
    std::uniform_int_distribution<int> letter(0, 51);
    QString text;
    while (text.size() < length) {
        const int l = letter(engine);
        const QChar c =
            pick(engine) % 2 ? QChar(l < 26 ? u'A' + l : u'a' + l - 26) : pool.at(pick(engine));
        text += c;
    }
    return text.left(length);
}

int indexOf(QChar c)
{
    const char16_t u = c.unicode();
    return u >= u'A' && u <= u'Z' ? u - u'A' : (u >= u'a' && u <= u'z' ? u - u'a' : -1);
}

QChar letterLike(int index, QChar like, bool upper)
{
    return QChar((upper || like.unicode() < u'a' ? u'A' : u'a') + index);
}

QString referenceShift(const QString &text, const PeriodicShift &s)
{
    QString out = text;
    std::size_t n = 0;
    for (QChar &c : out)
        if (indexOf(c) >= 0)
            c = letterLike((s.factor * indexOf(c) + s.keys[n++ % s.keys.size()]) % 26, c,
                           s.upperCase);
    return out;
}

QString referenceAutokey(const QString &text, std::vector<int> key, bool decode)
{
    QString out = text;
    std::size_t n = 0;
    for (QChar &c : out) {
        const int x = indexOf(c);
        if (x < 0)
            continue;
        const int plain = decode ? (x + 26 - key[n]) % 26 : x;
        c = letterLike(decode ? plain : (x + key[n]) % 26, c, false);
        key.push_back(plain);
        ++n;
    }
    return out;
}

std::vector<int> randomKey(std::mt19937 &engine, std::size_t length)
{
    std::uniform_int_distribution<int> shift(0, 25);
    std::vector<int> key(length);
    for (int &k : key)
        k = shift(engine);
    return key;
}

} // namespace

TEST(LetterKernels, BothFormsMatchPlainReferences)
{
    std::mt19937 engine(7);
    AsciiTable table {};
    for (char16_t c = 0; c < 128; ++c)
        table[c] = char16_t(127 - c);
    for (const std::size_t keyLength : {1u, 2u, 3u, 10u, 31u, 32u, 33u}) {
        for (int round = 0; round <= 71; ++round) {
            const int length = round == 71 ? 1000 : round; // and one text of many blocks
            SCOPED_TRACE(testing::Message() << "key " << keyLength << ", length " << length);
            const QString text = mixedText(engine, length);
            const std::vector<int> key = randomKey(engine, keyLength);
            const PeriodicShift shift {int(keyLength % 2 ? 25 : 7), key, length % 2 == 0};
            QString substituted = text;
            for (QChar &c : substituted)
                c = c.unicode() < 128 ? QChar(table[c.unicode()]) : c;
            for (const Kernel kernel : {Kernel::Fastest, Kernel::Portable}) {
                EXPECT_EQ(substitute(text, table, kernel), substituted);
                EXPECT_EQ(shiftLetters(text, shift, kernel), referenceShift(text, shift));
                for (const bool decode : {false, true})
                    EXPECT_EQ(autokey(text, key, decode, kernel),
                              referenceAutokey(text, key, decode));
            }
        }
    }
}
