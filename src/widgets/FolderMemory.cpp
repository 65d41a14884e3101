#include "FolderMemory.h"

#include "model/Profile.h"

#include <QDir>
#include <QFileInfo>

namespace FolderMemory {

QString start(const Profile* profile, const QString& key, const QString& fileName)
{
    if (!fileName.isEmpty() && QFileInfo(fileName).isAbsolute())
        return fileName;
    const QString kept = profile ? profile->readString(key, QString()) : QString();
    const QString folder = !kept.isEmpty() && QFileInfo(kept).isDir() ? kept : QDir::homePath();
    return fileName.isEmpty() ? folder : QDir(folder).filePath(fileName);
}

void remember(Profile* profile, const QString& key, const QString& chosen)
{
    if (!profile || chosen.isEmpty())
        return;
    profile->writeString(key, QFileInfo(chosen).absolutePath());
}

} // namespace FolderMemory
