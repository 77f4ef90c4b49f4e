#pragma once

#include "gui/support/Dialogs.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <functional>

// Records every message and file dialog and answers from a script. A message without a
// scripted answer gets the first of its buttons in the order OK, Yes, No, Cancel.
class FakeDialogs : public Dialogs
{
public:
    Button ask(QWidget *parent, const Message &message) override;
    QString openFileName(QWidget *parent, const FileRequest &request) override;
    QString saveFileName(QWidget *parent, const FileRequest &request) override;
    QString existingDirectory(QWidget *parent, const QString &title, const QString &start) override;
    void beep() override { ++beeps; }

    // Texts of all messages shown so far.
    QStringList texts() const;
    QString lastText() const { return messages.isEmpty() ? QString() : messages.constLast().text; }

    QList<Message> messages;
    QList<QWidget *> parents; // the window each message was shown over
    QList<FileRequest> fileRequests;
    std::deque<Button> answers; // next answers to messages
    std::deque<QString> fileAnswers; // next answers to open/save/folder dialogs ("" = cancel)
    int beeps = 0;
    // Runs inside ask(), e.g. to check the state of a window while a message is open.
    std::function<void(const Message &)> onAsk;
    // Runs inside every file or folder dialog, before it answers.
    std::function<void(const FileRequest &)> onFileDialog;
};
