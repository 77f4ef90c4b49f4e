#pragma once

#include "logic/language/LanguageModel.h"

#include <QByteArray>
#include <QIODevice>
#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <utility>

// Puts the blanks back into a decoded text written without them ("WERANDERENEINEGRUBE" ->
// "WER ANDEREN EINE GRUBE"), with a word list such as Debian's wngerman or wamerican.
class WordList
{
public:
    // Words are kept as cipher texts write them: A-Z only, umlauts as AE, OE, UE, ß as SS;
    // words with other characters (apostrophes, accents) and words longer than MaxLength are
    // left out.
    static constexpr int MaxLength = 24;

    WordList() = default;
    explicit WordList(const QStringList &words);
    // One word per line, UTF-8. Throws QuarvelError when the device cannot be read.
    static WordList read(QIODevice &device);
    // The list of a language in `folder` as Debian installs it ("ngerman" from wngerman,
    // "american-english" from wamerican). Throws QuarvelError naming the file, the reason and
    // the package when it cannot be read.
    static WordList ofLanguage(const QString &folder, Language language);
    // The raw bytes of that file, with the same errors (for readers that keep the spelling and
    // the order of the list).
    static QByteArray bytesOfLanguage(const QString &folder, Language language);
    // Where Debian puts them.
    static QString systemFolder() { return QStringLiteral("/usr/share/dict"); }

    bool isEmpty() const { return m_words.isEmpty(); }
    bool contains(QByteArrayView letters) const
    {
        // Looked up without a copy of the letters.
        return m_words.contains(QByteArray::fromRawData(letters.data(), letters.size()));
    }

private:
    void add(QStringView word);

    QSet<QByteArray> m_words;
};

// The lists of both languages in one folder, each read when it is first asked for. A list that
// cannot be read is tried again at the next request (a missing file is quickly found missing).
class WordLists
{
public:
    explicit WordLists(QString folder)
        : m_folder(std::move(folder))
    {
    }
    // Throws QuarvelError as WordList::ofLanguage does.
    const WordList &of(Language language);

private:
    QString m_folder;
    std::array<std::optional<WordList>, 2> m_lists; // German, English
};

// The text with blanks between the words the list knows, for a text of letters A-Z (either
// case) without blanks; letters that form no known word stay together between them. A text
// that already holds blanks or other characters besides letters, or one longer than
// MaxLetters, comes back as it is.
QString insertBlanks(const QString &text, const WordList &words);
inline constexpr qsizetype MaxWordBreakLetters = 5000;
