#pragma once

#include <QString>
#include <QStringList>

// The program's help: the compiled "Quarvel.chm" beside the program and the same pages as
// plain HTML in the folder "hilfe/" beside it. Each tool panel and each window has a page of
// its own; F1 opens the page of the panel or window the user works in.
namespace Help {

inline constexpr char16_t ChmFile[] = u"Quarvel.chm";
inline constexpr char16_t HtmlFolder[] = u"hilfe/";
inline constexpr char16_t StartPage[] = u"index.html";
// The context number of the start page inside the compiled help.
inline constexpr int kStartContext = 1000;

// The page of a tool panel or window, found by its object name ("gboxVigenere", "frmSudoku");
// the start page for anything else.
QString pageFor(const QString &objectName);

// Every page the program can open, the start page first.
QStringList openablePages();

// What to open for a page: the compiled help where a viewer for it is registered and the
// contents are asked for, otherwise the HTML page (the compiled help only when the HTML page
// is missing). `missing` names the file that should have been there when neither exists.
struct Target
{
    QString file; // empty: nothing to open
    QString missing;
};
Target targetFor(const QString &exePfad, const QString &page, bool chmViewer);

// The message for help that is not installed.
QString missingHelpText(const QString &file);

} // namespace Help
