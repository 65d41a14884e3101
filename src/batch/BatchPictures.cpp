#include "BatchPictures.h"

#include <QCoreApplication>

namespace BatchPictures {

QString place(CORINOTEDoc&, const QStringList&, bool, bool)
{
    return QCoreApplication::translate("BatchPictures", "--picture はまだ使えません。");
}

} // namespace BatchPictures
