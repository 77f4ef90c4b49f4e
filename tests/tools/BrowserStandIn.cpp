// A stand-in for the web browser when looking at the help under Xvfb: shows the local HTML page
// named by its first argument (a file: URL or a path) in a plain text browser window. A script
// named xdg-open on the search path hands it what the program asks the desktop to open.
#include <QApplication>
#include <QTextBrowser>
#include <QUrl>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString argument = QString::fromLocal8Bit(argv[1]);
    const QUrl url = argument.contains(u':') ? QUrl(argument) : QUrl::fromLocalFile(argument);
    QTextBrowser browser;
    browser.setWindowTitle(QStringLiteral("Browser-Ersatz – ") + url.fileName());
    browser.setSource(url);
    browser.resize(820, 640);
    browser.move(520, 60);
    browser.show();
    return app.exec();
}
