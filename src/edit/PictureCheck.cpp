#include "PictureCheck.h"

#include "render/PictureFile.h"

#include <QCoreApplication>

namespace PictureCheck {

QString check(const QString& path)
{
    if (path.isEmpty() || PictureFile::size(path).isValid())
        return QString();
    return QCoreApplication::translate("PictureCheck", "画像ファイルを読み込めません。");
}

} // namespace PictureCheck
