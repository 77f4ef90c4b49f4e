#pragma once

#include <QString>

// Where the program finds the files it ships (charts, "Historie.txt", the help) and where it
// keeps the files the user writes by default (the address book's "Cacher.dat").
//
// A build folder or an unpacked copy holds its files beside the executable; an installed copy
// holds them in "../share/quarvel/" relative to it (bin/quarvel, share/quarvel/...). The user's
// files go beside the shipped ones only in a copy of its own that the user may write to; an
// installed copy keeps them in the user's data folder.
namespace ProgramFolders {

// The file whose presence marks a folder as holding the shipped files: it ships with every copy.
inline constexpr auto MarkerFile = "Historie.txt";

// The program folder (ending with "/"), given the executable's folder (ending with "/"): the
// executable's folder when it holds the shipped files, else "../share/quarvel/" beside it when
// that holds them, else the executable's folder (so a missing file is reported there).
QString findProgramFolder(const QString &exeFolder);

// The folder for the files the user writes (ending with "/"): the program folder when it is the
// executable's own folder and writable, else "Quarvel/" in the user's data folder `dataHome`
// ($XDG_DATA_HOME, ~/.local/share when unset).
QString userFileFolder(const QString &programFolder, const QString &exeFolder,
                       bool programFolderWritable, const QString &dataHome);

// The same, with the writability and the user's data folder asked of the system.
QString userFileFolder(const QString &programFolder, const QString &exeFolder);

// `folder` + `fileName`, creating `folder` first when it does not exist yet, so a dialog
// preset with the path opens there and a save into it can succeed.
QString userFilePath(const QString &folder, const QString &fileName);

} // namespace ProgramFolders
