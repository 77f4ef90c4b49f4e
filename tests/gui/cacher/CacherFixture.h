#pragma once

#include "fakes/TestApp.h"
#include "gui/cacher/Cacher_Unit.h"
#include "logic/cacher/CacherFile.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A shown, active address book window with fake dialogs and launcher, and a folder for files.
class CacherFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        window = std::make_unique<TfrmCacher>(app.context);
        showWindow();
    }

    void showWindow()
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    CacherBook &book() { return window->book(); }
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    // Focus moves as the Tab key makes them, so the window sees a field entered and left.
    void enter(QWidget *field) { field->setFocus(Qt::TabFocusReason); }
    void leave() { window->btnDatensatzSpeichern->setFocus(Qt::TabFocusReason); }
    void typeInto(QWidget *field, const QString &text)
    {
        enter(field);
        QTest::keyClicks(field, text);
        leave();
    }

    // Typing through the keyboard driver takes ASCII only; umlauts are inserted as an input
    // method does.
    void insertInto(QWidget *field, const QString &text)
    {
        enter(field);
        if (auto *box = qobject_cast<QComboBox *>(field))
            box->lineEdit()->insert(text);
        else
            static_cast<QLineEdit *>(field)->insert(text);
    }

    // Activation as the window system sends it when the user brings the window to the front.
    void activate()
    {
        QEvent event(QEvent::WindowActivate);
        QApplication::sendEvent(window.get(), &event);
    }

    // A record file with one record per name.
    void writeBook(const QString &file, const QStringList &names)
    {
        std::vector<TPerson> personen;
        for (const QString &name : names) {
            TPerson person;
            person.setField(TPerson::Cachername, name);
            person.setField(TPerson::Wohnort, QStringLiteral("Ort ") + name);
            personen.push_back(person);
        }
        CacherBook content;
        content.replacePersonen(std::move(personen));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(WriteCacherFile(out, content), CacherFileResult::Ok);
    }

    void openBook(const QStringList &names)
    {
        const QString file = path("buch.dat");
        writeBook(file, names);
        app.dialogs.fileAnswers.push_back(file);
        window->fOpen->trigger();
    }

    QStringList nameList() const
    {
        QStringList names;
        for (int i = 0; i < window->cboxCachername->count(); ++i)
            names.append(window->cboxCachername->itemText(i));
        return names;
    }

    // The bytes of a record file that holds `content` and nothing after it.
    static QByteArray recordFile(const CacherBook &content)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        WriteCacherFile(buffer, content);
        return buffer.data();
    }

    QByteArray fileBytes(const QString &file) const
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    TestApp app;
    QTemporaryDir dir;
    std::unique_ptr<TfrmCacher> window;
};
