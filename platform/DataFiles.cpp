#include "platform/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString DataFilePath(const QString& name)
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString beside = programDir.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = QDir::cleanPath(programDir.filePath("../share/nuv/" + name));
    if (QFileInfo::exists(installed))
        return installed;
    return beside;
}
