#include "gui/panels/CipherPanelFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString kSample =
    QStringLiteral("Franz jagt im komplett verwahrlosten Taxi quer durch Bayern");
const QString kSampleKeyB =
    QStringLiteral("GSBOA KBHU JN LPNQMFUU WFSXBISMPTUFO UBYJ RVFS EVSDI CBZFSO");
const QString kSampleKeyGeo =
    QStringLiteral("LVOTD XGKH OQ YUQDRIHZ ZSXAONVZUWHKR HGBW WYSX HIXGV HEMKVB");
const QString kKeyError = QStringLiteral("Der Schlüssel darf nur Buchstaben enthalten.");

class VigenerePanel : public CipherPanelTest
{
protected:
    void SetUp() override
    {
        CipherPanelTest::SetUp();
        choose(QStringLiteral("Vigenère"));
        plain = find<QPlainTextEdit>("rtfVigenereDecrypt");
        cipher = find<QPlainTextEdit>("rtfVigenereEncrypt");
        key = find<QLineEdit>("edtVigenereKey");
        encrypting = find<QRadioButton>("rbtnEnCrypt");
        decrypting = find<QRadioButton>("rbtnDecrypt");
    }

    // Replaces a box's text without any key release, as pasting with the mouse would.
    static void put(QPlainTextEdit *box, const QString &text) { box->setPlainText(text); }

    QPlainTextEdit *plain = nullptr;
    QPlainTextEdit *cipher = nullptr;
    QLineEdit *key = nullptr;
    QRadioButton *encrypting = nullptr;
    QRadioButton *decrypting = nullptr;
};

} // namespace

TEST_F(VigenerePanel, NodeShowsTheSampleSentenceAndEmptyBoxes)
{
    EXPECT_EQ(headerCaption(), QStringLiteral(" Kryptologie "));
    EXPECT_EQ(oben(), QStringLiteral("Verschiebung der Buchstaben mit Hilfe eines Schlüssels"));
    EXPECT_EQ(oben2(), QString());
    EXPECT_EQ(find<QGroupBox>("gboxVigenere")->title(), QStringLiteral(" Vigenère "));
    EXPECT_EQ(plain->toPlainText(), kSample);
    EXPECT_EQ(cipher->toPlainText(), QString());
    EXPECT_EQ(key->text(), QString());
    auto *bbtnDecrypt = find<QPushButton>("bbtnDecrypt");
    auto *bbtnEncrypt = find<QPushButton>("bbtnEncrypt");
    EXPECT_EQ(bbtnDecrypt->text(), QStringLiteral("Entschlüsseln"));
    EXPECT_EQ(bbtnEncrypt->text(), QStringLiteral("Verschlüsseln"));
    EXPECT_FALSE(bbtnDecrypt->isVisible());
    EXPECT_FALSE(bbtnEncrypt->isVisible());
}

TEST_F(VigenerePanel, EveryKeyReleaseInTheKeyBoxReEncrypts)
{
    const std::pair<Qt::Key, QString> steps[] = {
        {Qt::Key_G, QStringLiteral("LXGTF PGMZ OS QUSVRKZZ BKXCGNXRUYZKT ZGDO WAKX JAXIN HGEKXT")},
        {Qt::Key_E, QStringLiteral("LVGRF NGKZ MS OUQVPKXZ ZKVCENVRSYXKR ZEDM WYKV JYXGN FGCKVT")},
        {Qt::Key_O, kSampleKeyGeo},
        {Qt::Key_Backspace,
         QStringLiteral("LVGRF NGKZ MS OUQVPKXZ ZKVCENVRSYXKR ZEDM WYKV JYXGN FGCKVT")},
        {Qt::Key_Left,
         QStringLiteral("LVGRF NGKZ MS OUQVPKXZ ZKVCENVRSYXKR ZEDM WYKV JYXGN FGCKVT")},
    };
    for (const auto &[keyPressed, expected] : steps) {
        SCOPED_TRACE(int(keyPressed));
        put(cipher, QStringLiteral("stale")); // every release replaces the ciphertext
        QTest::keyClick(key, keyPressed);
        EXPECT_EQ(cipher->toPlainText(), expected);
    }
    key->selectAll();
    QTest::keyClick(key, Qt::Key_Delete);
    EXPECT_EQ(cipher->toPlainText(), QString()); // no key, no ciphertext
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST_F(VigenerePanel, TypingInATextBoxComputesTheOtherAndMarksTheDirection)
{
    QTest::keyClicks(key, QStringLiteral("b"));
    put(cipher, kSampleKeyB);
    QTest::keyClick(cipher, Qt::Key_End);
    EXPECT_EQ(plain->toPlainText(), kSample.toUpper());
    EXPECT_TRUE(decrypting->isChecked());
    EXPECT_EQ(cipher->toPlainText(), kSampleKeyB); // marking the direction clears nothing

    put(plain, QStringLiteral("Abc xyz"));
    QTest::keyClick(plain, Qt::Key_Shift);
    EXPECT_EQ(cipher->toPlainText(), QStringLiteral("BCD YZA"));
    EXPECT_TRUE(encrypting->isChecked());
    EXPECT_EQ(plain->toPlainText(), QStringLiteral("Abc xyz"));
}

TEST_F(VigenerePanel, InvalidKeyShowsTheErrorOnEveryReleaseAndChangesNothing)
{
    QTest::keyClicks(key, QStringLiteral("b"));
    ASSERT_EQ(cipher->toPlainText(), kSampleKeyB);
    QTest::keyClicks(key, QStringLiteral("1"));
    EXPECT_EQ(app.dialogs.texts(), QStringList {kKeyError});
    EXPECT_EQ(app.dialogs.messages.last().title, QStringLiteral("Quarvel"));
    EXPECT_EQ(cipher->toPlainText(), kSampleKeyB);

    QTest::keyClick(key, Qt::Key_Right); // keys that change nothing count as well
    QTest::keyClick(plain, Qt::Key_Right);
    EXPECT_EQ(app.dialogs.messages.size(), 3);
    EXPECT_TRUE(encrypting->isChecked());
    QTest::keyClick(cipher, Qt::Key_Right);
    EXPECT_EQ(app.dialogs.texts().last(), kKeyError); // decryption's message reads the same
    EXPECT_EQ(app.dialogs.messages.size(), 4);
    EXPECT_TRUE(encrypting->isChecked()); // the failed decryption did not mark its direction
    EXPECT_EQ(plain->toPlainText(), kSample);
}

TEST_F(VigenerePanel, DirectionButtonsClearTheBoxTheyWouldFill)
{
    QTest::keyClicks(key, QStringLiteral("b"));
    QTest::mouseClick(decrypting, Qt::LeftButton);
    EXPECT_EQ(plain->toPlainText(), QString());
    EXPECT_EQ(cipher->toPlainText(), kSampleKeyB);
    QTest::mouseClick(encrypting, Qt::LeftButton);
    EXPECT_EQ(cipher->toPlainText(), QString());
    EXPECT_EQ(key->text(), QStringLiteral("b"));
}

TEST_F(VigenerePanel, UntickedUpperCaseStillEncryptsInUpperCaseAtTheNextRelease)
{
    QTest::keyClicks(key, QStringLiteral("b"));
    auto *cboxVigGross = find<QCheckBox>("cboxVigGross");
    QTest::mouseClick(cboxVigGross, Qt::LeftButton);
    ASSERT_FALSE(cboxVigGross->isChecked());
    EXPECT_EQ(cipher->toPlainText(), kSampleKeyB); // nothing recomputed yet
    put(cipher, QString());
    QTest::keyClick(key, Qt::Key_End);
    EXPECT_EQ(cipher->toPlainText(), kSampleKeyB);
}

TEST_F(VigenerePanel, OptionBoxesAreShownWithTheirHints)
{
    const struct
    {
        const char *name;
        QString caption;
        QString hint;
        bool enabled;
        bool checked;
    } boxes[] = {
        {"cboxCaseSensitiv", QStringLiteral(" Case-sensitiv"),
         QStringLiteral("Groß- und Kleinschreibung wird unterschieden"), false, false},
        {"CheckBox7", QStringLiteral(" Nicht im Alphabet"),
         QStringLiteral("Nicht im Alphabet enthaltene Zeichen beibehalten"), false, false},
        {"CheckBox8", QStringLiteral(" 5er-Blöcke"),
         QStringLiteral("Leerzeichen entfernen und 5er-Blöcke bilden"), false, false},
        {"cboxVigGross", QStringLiteral(" Großbuchstaben"),
         QStringLiteral("Großbuchstaben verwenden"), true, true},
        {"cboxVigKlein", QStringLiteral(" Kleinbuchsstaben"),
         QStringLiteral("Kleinbuchstaben verwenden"), false, false},
        {"CheckBox3", QStringLiteral(" Leerzeichen"), QString(), false, false},
        {"CheckBox4", QStringLiteral(" Ziffern"), QString(), false, false},
        {"CheckBox5", QStringLiteral(" Satzzeichen"), QString(), false, false},
        {"CheckBox6", QStringLiteral(" Umlaute"), QString(), false, false},
    };
    for (const auto &b : boxes) {
        SCOPED_TRACE(b.name);
        auto *box = find<QCheckBox>(b.name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), b.caption);
        EXPECT_EQ(box->toolTip(), b.hint);
        EXPECT_EQ(box->isEnabled(), b.enabled);
        EXPECT_EQ(box->isChecked(), b.checked);
    }
}
