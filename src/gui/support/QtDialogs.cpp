#include "gui/support/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Error:
        return QMessageBox::Critical;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString runFileDialog(QWidget *parent, const Dialogs::FileRequest &request,
                      QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title, request.directory, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

Dialogs::Button QtDialogs::ask(QWidget *parent, const Message &message)
{
    QMessageBox box(toQt(message.icon), message.title, message.text, QMessageBox::NoButton, parent);
    // A message during start-up must not hide behind the splash, which stays on top.
    for (const QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    struct Choice
    {
        Button button;
        const char16_t *text;
        QMessageBox::ButtonRole role;
    };
    static constexpr Choice kChoices[] = {
        {Yes, u"&Ja", QMessageBox::YesRole},
        {No, u"&Nein", QMessageBox::NoRole},
        {Ok, u"OK", QMessageBox::AcceptRole},
        {Cancel, u"Abbrechen", QMessageBox::RejectRole},
    };
    Button escape = (message.buttons & Cancel) ? Cancel : (message.buttons & No) ? No : Ok;
    for (const Choice &choice : kChoices) {
        if (message.buttons & choice.button) {
            QPushButton *button = box.addButton(QString::fromUtf16(choice.text), choice.role);
            button->setProperty("quarvelButton", int(choice.button));
            if (choice.button == escape)
                box.setEscapeButton(button);
        }
    }
    box.exec();
    if (QAbstractButton *clicked = box.clickedButton())
        return Button(clicked->property("quarvelButton").toInt());
    return escape;
}

QString QtDialogs::openFileName(QWidget *parent, const FileRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

QString QtDialogs::saveFileName(QWidget *parent, const FileRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

QString QtDialogs::existingDirectory(QWidget *parent, const QString &title, const QString &start)
{
    return QFileDialog::getExistingDirectory(parent, title, start);
}

void QtDialogs::beep()
{
    QApplication::beep();
}
