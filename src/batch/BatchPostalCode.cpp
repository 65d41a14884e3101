#include "BatchPostalCode.h"

#include <cstdio>

namespace BatchPostalCode {

int lookup(const QString&)
{
    std::fprintf(stderr, "orinote-batch: --postal-code is not available yet\n");
    return 1;
}

QString printWarning(const CORINOTEDoc&)
{
    return QString();
}

} // namespace BatchPostalCode
