#include "BatchCsv.h"

#include <QCoreApplication>

namespace BatchCsv {

QString place(CORINOTEDoc&, const QString&, const QString&)
{
    return QCoreApplication::translate("BatchCsv", "--csv はまだ使えません。");
}

} // namespace BatchCsv
