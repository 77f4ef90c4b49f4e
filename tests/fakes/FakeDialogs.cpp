#include "fakes/FakeDialogs.h"

Dialogs::Button FakeDialogs::ask(QWidget *parent, const Message &message)
{
    messages.append(message);
    parents.append(parent);
    if (onAsk)
        onAsk(message);
    if (!answers.empty()) {
        const Button answer = answers.front();
        answers.pop_front();
        return answer;
    }
    for (Button b : {Ok, Yes, No, Cancel}) {
        if (message.buttons & b)
            return b;
    }
    return Ok;
}

QString FakeDialogs::openFileName(QWidget *, const FileRequest &request)
{
    fileRequests.append(request);
    if (onFileDialog)
        onFileDialog(request);
    if (fileAnswers.empty())
        return {};
    const QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

QString FakeDialogs::saveFileName(QWidget *parent, const FileRequest &request)
{
    return openFileName(parent, request);
}

QString FakeDialogs::existingDirectory(QWidget *parent, const QString &title, const QString &start)
{
    return openFileName(parent, {title, start, {}, {}, {}});
}

QStringList FakeDialogs::texts() const
{
    QStringList result;
    for (const Message &m : messages)
        result.append(m.text);
    return result;
}
