#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

// Birth dates and ages of address records.
//
// A date is kept as text: the four-digit year, the two-digit month and the two-digit day
// joined by slashes ("1985/04/07"). It is read back at fixed character positions, so a
// text typed by hand or imported from elsewhere is read as far as it goes.
class AgeCalculator
{
public:
    struct Parts
    {
        int year = 0;
        int month = 0;
        int day = 0;
    };

    // Year from characters 1–4, month from 6–7, day from 9–10 (counting from 1), each the
    // decimal value of the leading digits of its slice; 0 when a slice starts with no digit
    // or lies beyond the end of the text.
    static Parts readParts(QStringView text);
    // The calendar date of the text; invalid when its parts do not name a real day.
    static QDate readDate(QStringView text);
    // The text of a date: "%02d/%02d/%02d" of year, month and day (the year has four digits).
    static QString dateText(const QDate& date);

    // Whole years from the birth parts to `today`: the difference of the years, less one
    // while this year's birthday is still to come (a birthday of 29 February comes on
    // 1 March in other years). Never below 0. -1 when the birth year reads 0, that is,
    // when the record has no usable birth date.
    static int age(const Parts& birth, const QDate& today);
    // As above for a stored birth date; -1 unless the text names a real day (readDate).
    static int age(QStringView birthText, const QDate& today);

    // The leading decimal digits of a text as a number (0 when there are none); how the
    // stored "年齢" column is read for sorting and searching.
    static int leadingNumber(QStringView text);
};
