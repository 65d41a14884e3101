#include "AgeCalculator.h"

#include <algorithm>

namespace {

// A slice beyond the end of the text is empty, so a short text reads as 0 there.
int sliceNumber(QStringView text, int from, int length)
{
    if (from >= text.size())
        return 0;
    return AgeCalculator::leadingNumber(
        text.mid(from, std::min<qsizetype>(length, text.size() - from)));
}

} // namespace

int AgeCalculator::leadingNumber(QStringView text)
{
    // Bounded so that a long run of digits cannot overflow: no age or date part comes
    // near it.
    int n = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        if (n < 100000000)
            n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

AgeCalculator::Parts AgeCalculator::readParts(QStringView text)
{
    Parts p;
    p.year = sliceNumber(text, 0, 4);
    p.month = sliceNumber(text, 5, 2);
    p.day = sliceNumber(text, 8, 2);
    return p;
}

QDate AgeCalculator::readDate(QStringView text)
{
    const Parts p = readParts(text);
    if (p.year == 0)
        return QDate();
    return QDate(p.year, p.month, p.day); // invalid for a month or day out of range
}

QString AgeCalculator::dateText(const QDate& date)
{
    return QString::asprintf("%02d/%02d/%02d", date.year(), date.month(), date.day());
}

int AgeCalculator::age(const Parts& birth, const QDate& today)
{
    if (birth.year == 0)
        return -1;
    int years = today.year() - birth.year;
    // Compared as month and day numbers, not as dates: 29 February has no day of its own
    // in a common year, and on 28 February the birthday has not yet come.
    if (today.month() < birth.month || (today.month() == birth.month && today.day() < birth.day))
        --years;
    // A birth date in the future is a typing slip, not a negative age.
    return std::max(years, 0);
}

int AgeCalculator::age(QStringView birthText, const QDate& today)
{
    // An age from "1999/13/40" would be shown, sorted and searched as if it were true.
    if (!readDate(birthText).isValid())
        return -1;
    return age(readParts(birthText), today);
}
