#pragma once

#include <QString>

// One address a postal code stands for: the code in its stored form and the prefecture,
// city (with its county or ward) and town. The town is empty for the code that covers the
// rest of a city ("以下に掲載がない場合").
struct PostalAddress
{
    QString code; // "NNN-NNNN"
    QString prefecture;
    QString city;
    QString town;

    // The address as one line: "東京都中野区弥生町".
    QString text() const { return prefecture + city + town; }

    friend bool operator==(const PostalAddress& a, const PostalAddress& b)
    {
        return a.code == b.code && a.prefecture == b.prefecture && a.city == b.city &&
               a.town == b.town;
    }
};
