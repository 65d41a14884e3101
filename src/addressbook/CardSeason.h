#pragma once

#include "AddressListRows.h"

#include <QDate>
#include <QList>

class AddressBook;
class CORINOTEDoc;

// The New Year's card season (年賀状の準備), counted by New Year: the season of New Year N
// runs from 1 November of N−1 to 15 February of N (replies as 寒中見舞い included), and a
// 送信-年賀状 or 受信-年賀状 dated in it belongs to New Year N. Preparing New Year N
// reserves everyone with such a card in the season of N−1, except those whose mourning
// notice (受信-喪中) is dated from 1 June of N−1 on. Groups 0–18 are looked at; senders
// keep no history.
class CardSeason
{
public:
    struct Plan
    {
        int newYear = 0;                 // the New Year prepared
        QList<AddressRecordRef> records; // to reserve, group by group in stored order
        int sent = 0;                    // records with 送信-年賀状 in the last season
        int received = 0;                // records with 受信-年賀状 in the last season
        int mourning = 0;                // records left out for 受信-喪中
    };

    // The coming New Year on a day: next year from October on, else this year.
    static int defaultNewYear(const QDate& today);
    // The first and the last day of New Year N's season.
    static QDate seasonStart(int newYear);
    static QDate seasonEnd(int newYear);
    // The first day from which a mourning notice leaves someone out of New Year N.
    static QDate mourningFrom(int newYear);

    static Plan plan(const AddressBook& book, int newYear);
    // Reserves the plan's records in one undo step; false when there is none.
    static bool reserve(CORINOTEDoc& doc, const Plan& plan);
};
