#pragma once
// Where the program keeps its files: the folder of the running executable. Needs no widgets, so
// model code and the command-line tool can use it.

#include <QString>

// Folder of QCoreApplication::applicationFilePath, ending in exactly one '/' ("/" for the root).
QString ProgramFolder();
// Tests point the program at a temporary folder; empty = the executable's folder again.
void setProgramFolderForTesting(const QString &folder);
// ProgramFolder + GlobalApplicationPrefix + ".ini".
QString IniFileName();
