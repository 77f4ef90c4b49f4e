#pragma once

#include <QString>

#include <random>

// Texts for round-trip checks: ASCII letters, digits, punctuation, blanks and line breaks mixed
// with German letters, characters beyond Windows-1252 and a character outside the BMP. The seed
// is fixed, so a failure repeats.
class RandomText
{
public:
    explicit RandomText(unsigned seed)
        : m_engine(seed)
    {
    }

    // A text of 0 .. 2 * maxLength code units or so; round 0 gives the empty text.
    QString text(int round, int maxLength = 60)
    {
        if (round == 0)
            return {};
        static const QString extras = QStringLiteral("ÄÖÜäöüß€§Ωé\t\n\r ");
        std::uniform_int_distribution<int> length(1, maxLength);
        std::uniform_int_distribution<int> kind(0, 9);
        std::uniform_int_distribution<int> ascii(32, 126);
        std::uniform_int_distribution<int> extra(0, int(extras.size()) - 1);
        QString result;
        for (int i = length(m_engine); i > 0; --i) {
            const int k = kind(m_engine);
            if (k < 7)
                result += QChar(ascii(m_engine));
            else if (k < 9)
                result += extras.at(extra(m_engine));
            else
                result += QString::fromUtf8("\xF0\x9F\x98\x80"); // two code units
        }
        return result;
    }

    // A key of 1 .. maxLength letters of both cases.
    QString letters(int maxLength)
    {
        std::uniform_int_distribution<int> length(1, maxLength);
        std::uniform_int_distribution<int> letter(0, 51);
        QString result;
        for (int i = length(m_engine); i > 0; --i) {
            const int l = letter(m_engine);
            result += QChar(l < 26 ? u'A' + l : u'a' + l - 26);
        }
        return result;
    }

private:
    std::mt19937 m_engine;
};
