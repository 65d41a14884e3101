#pragma once

#include <QString>

// The address group a record belongs in by its reading (フリガナ): the kana row of its
// first character (ア, ガ, ァ and ｱ are all あ; ヴ is あ, ン is わ), or the Latin block of its
// first letter (A–C, D–F, … Y–Z). Readings that start with anything else (kanji, digits,
// marks) and empty readings have no group of their own.
class ReadingGroup
{
public:
    // The group 0–18, or -1.
    static int of(const QString& reading);
    // Where a record saved in `group` goes: the group of its reading when that is another
    // kana row or Latin block, else `group` itself (the sender group never gives records).
    static int forRecord(int group, const QString& reading);
};
