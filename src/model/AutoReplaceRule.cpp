#include "AutoReplaceRule.h"

bool operator==(const AutoReplaceRule& a, const AutoReplaceRule& b)
{
    return a.enabled == b.enabled && a.attribute == b.attribute && a.search == b.search &&
           a.atLeast == b.atLeast && a.atMost == b.atMost && a.replacement == b.replacement &&
           a.notFound == b.notFound && a.textColor == b.textColor &&
           a.keepTextColor == b.keepTextColor && a.backColor == b.backColor &&
           a.keepBackColor == b.keepBackColor && a.backPicture == b.backPicture;
}
