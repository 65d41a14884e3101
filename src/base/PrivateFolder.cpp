#include "PrivateFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("PrivateFolder", text);
}

} // namespace

QString PrivateFolder::check(const QString& path)
{
    struct stat st;
    // lstat: a link could point anywhere, also into a folder another user controls.
    if (path.isEmpty() || ::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return tr("%1: フォルダがありません。").arg(path);
    if (!S_ISDIR(st.st_mode))
        return tr("%1: フォルダではありません。").arg(path);
    if (st.st_uid != ::geteuid())
        return tr("%1: ほかのユーザーのフォルダです。").arg(path);
    if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return tr("%1: ほかのユーザーにも開かれているフォルダです。").arg(path);
    return QString();
}

QString PrivateFolder::make(const QString& path)
{
    const QString parent = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(parent) ||
        (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST))
        return tr("%1: フォルダを作成できません。").arg(path);
    return check(path);
}
