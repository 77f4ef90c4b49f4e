#include "gui/panels/CipherPanelFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

class TrifidPanel : public CipherPanelTest
{
protected:
    void SetUp() override
    {
        CipherPanelTest::SetUp();
        choose(QStringLiteral("Trifid"));
        plain = find<QPlainTextEdit>("rtfTrifidDecrypt");
        cipher = find<QPlainTextEdit>("rtfTrifidEncrypt");
        key = find<QLineEdit>("edtTrifidKey");
        encryptButton = find<QPushButton>("bbtnTrifidEncrypt");
        decryptButton = find<QPushButton>("bbtnTrifidDecrypt");
    }

    void encrypt() { QTest::mouseClick(encryptButton, Qt::LeftButton); }
    void decrypt() { QTest::mouseClick(decryptButton, Qt::LeftButton); }

    QPlainTextEdit *plain = nullptr;
    QPlainTextEdit *cipher = nullptr;
    QLineEdit *key = nullptr;
    QPushButton *encryptButton = nullptr;
    QPushButton *decryptButton = nullptr;
};

} // namespace

TEST_F(TrifidPanel, NodeEmptiesTheBoxes)
{
    plain->setPlainText(QStringLiteral("text"));
    cipher->setPlainText(QStringLiteral("text"));
    key->setText(QStringLiteral("key"));
    choose(QStringLiteral("Vigenère"));
    choose(QStringLiteral("Trifid"));
    EXPECT_EQ(headerCaption(), QStringLiteral(" Kryptologie "));
    EXPECT_EQ(oben(), QStringLiteral("3 x 3 Cube"));
    EXPECT_EQ(oben2(), QStringLiteral("Das ganze Alphabet + den Punkt"));
    EXPECT_EQ(find<QGroupBox>("gboxTrifid")->title(), QStringLiteral(" Trifid "));
    EXPECT_EQ(plain->toPlainText(), QString());
    EXPECT_EQ(cipher->toPlainText(), QString());
    EXPECT_EQ(key->text(), QString());
    EXPECT_EQ(encryptButton->text(), QStringLiteral("Verschlüsseln"));
    EXPECT_EQ(decryptButton->text(), QStringLiteral("Entschlüsseln"));
}

TEST_F(TrifidPanel, ButtonsEncryptAndDecryptThroughTheBoxes)
{
    QTest::keyClicks(plain, QStringLiteral("Franz jagt 1 Taxi."));
    QTest::keyClicks(key, QStringLiteral("ab"));
    encrypt();
    EXPECT_EQ(cipher->toPlainText(), QStringLiteral("BOGYIVJEIZHGAR"));
    plain->clear();
    decrypt();
    EXPECT_EQ(plain->toPlainText(), QStringLiteral("FRANZJAGTTAXI."));
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST_F(TrifidPanel, MissingOrInvalidKeyIsReportedAndChangesNoBox)
{
    const struct
    {
        const char *name;
        QString key;
        QString title;
        QString message;
    } cases[] = {
        {"empty", QString(), QStringLiteral("Fehler"),
         QStringLiteral("Kein Schlüssel vorhanden !")},
        {"digit", QStringLiteral("ab1"), QStringLiteral("Quarvel"),
         QStringLiteral("Der Schlüssel darf nur Buchstaben enthalten.")},
        {"full stop", QStringLiteral("ab."), QStringLiteral("Quarvel"),
         QStringLiteral("Der Schlüssel darf nur Buchstaben enthalten.")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        plain->setPlainText(QStringLiteral("plain"));
        cipher->setPlainText(QStringLiteral("CIPHER"));
        key->setText(c.key);
        for (QPushButton *button : {encryptButton, decryptButton}) {
            app.dialogs.messages.clear();
            QTest::mouseClick(button, Qt::LeftButton);
            ASSERT_EQ(app.dialogs.messages.size(), 1);
            EXPECT_EQ(app.dialogs.messages.first().title, c.title);
            EXPECT_EQ(app.dialogs.messages.first().text, c.message);
            EXPECT_EQ(app.dialogs.messages.first().icon, Dialogs::Icon::Error);
            EXPECT_EQ(app.dialogs.messages.first().buttons, Dialogs::Ok);
            EXPECT_EQ(plain->toPlainText(), QStringLiteral("plain"));
            EXPECT_EQ(cipher->toPlainText(), QStringLiteral("CIPHER"));
        }
    }
}

TEST_F(TrifidPanel, OneCharacterKeyEmptiesTheOutputSilently)
{
    plain->setPlainText(QStringLiteral("Hallo"));
    cipher->setPlainText(QStringLiteral("OLD"));
    key->setText(QStringLiteral("7"));
    encrypt();
    EXPECT_EQ(cipher->toPlainText(), QString());
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST_F(TrifidPanel, UpperCaseBoxChangesNoResult)
{
    plain->setPlainText(QStringLiteral("Geocaching"));
    key->setText(QStringLiteral("Quarvel"));
    encrypt();
    const QString ticked = cipher->toPlainText();
    auto *upperCase = find<QCheckBox>("CheckBox1");
    QTest::mouseClick(upperCase, Qt::LeftButton);
    ASSERT_FALSE(upperCase->isChecked());
    encrypt();
    EXPECT_EQ(cipher->toPlainText(), ticked);
    EXPECT_FALSE(find<QCheckBox>("CheckBox15")->isEnabled());
    EXPECT_FALSE(find<QCheckBox>("CheckBox9")->isEnabled());
}
