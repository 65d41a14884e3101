#include "SaveTarget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("SaveTarget", text);
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString SaveTarget::refusal(const QString& path)
{
    if (path.isEmpty())
        return tr("保存先のファイル名がありません。");
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::stat(name.constData(), &st) != 0) {
        // Nothing there (or a link that leads nowhere): a new file is made.
        return QString();
    }
    if (S_ISREG(st.st_mode))
        return QString();
    if (S_ISDIR(st.st_mode))
        return tr("%1: フォルダです。保存先にはファイル名を指定してください。").arg(shown(path));
    return tr("%1: 通常のファイルではありません（デバイス、名前付きパイプまたはソケット）。"
              "置き換えると元に戻せないため、書き込みませんでした。")
        .arg(shown(path));
}

QString SaveTarget::open(QSaveFile& file)
{
    const QString path = file.fileName();
    const QString refused = refusal(path);
    if (!refused.isEmpty())
        return refused;
    if (!file.open(QIODevice::WriteOnly))
        return openFailure(path, file.errorString());
    return QString();
}

QString SaveTarget::openFailure(const QString& path, const QString& systemReason)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    const QByteArray folderName = QFile::encodeName(folder);
    struct stat st;
    if (::stat(folderName.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return tr("%1: 保存先のフォルダ「%2」がありません。").arg(shown(path), shown(folder));
    // QSaveFile makes its temporary file in the folder: the folder must be writable even
    // when the file itself is.
    if (::access(folderName.constData(), W_OK | X_OK) != 0)
        return tr("%1: 保存先のフォルダ「%2」に書き込む権限がありません。"
                  "別のフォルダに保存してください。")
            .arg(shown(path), shown(folder));
    if (info.exists() && !info.isWritable())
        return tr("%1: ファイルが読み取り専用です。").arg(shown(path));
    return tr("%1: ファイルを作成できませんでした（%2）。").arg(shown(path), systemReason);
}
