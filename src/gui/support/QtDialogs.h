#pragma once

#include "gui/support/Dialogs.h"

// The real message boxes and file dialogs, with German button texts.
class QtDialogs : public Dialogs
{
public:
    Button ask(QWidget *parent, const Message &message) override;
    QString openFileName(QWidget *parent, const FileRequest &request) override;
    QString saveFileName(QWidget *parent, const FileRequest &request) override;
    QString existingDirectory(QWidget *parent, const QString &title, const QString &start) override;
    void beep() override;
};
