#include "ProgramFolder.h"

#include "Identity.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString g_testFolder;

QString withOneSlash(QString folder) {
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}
}  // namespace

QString ProgramFolder() {
    if (!g_testFolder.isEmpty())
        return g_testFolder;
    const QString program = QCoreApplication::applicationFilePath();
    const QString folder = program.isEmpty() ? QDir::currentPath() : QFileInfo(program).absolutePath();
    return withOneSlash(folder);
}

void setProgramFolderForTesting(const QString &folder) {
    g_testFolder = folder.isEmpty() ? QString() : withOneSlash(folder);
}

QString IniFileName() {
    return ProgramFolder() + GlobalApplicationPrefix + QStringLiteral(".ini");
}
