#pragma once

#include "AddressListRows.h"

#include <QList>

class AddressBook;
class CORINOTEDoc;

// The New Year's card season (年賀状の準備): who gets a card this year. Everyone who was
// sent a 年賀状 or sent one (送信-年賀状, 受信-年賀状) last year, except those whose
// mourning notice (受信-喪中) came this year. Groups 0–18 are looked at; senders keep no
// history.
class CardSeason
{
public:
    struct Plan
    {
        QList<AddressRecordRef> records; // to reserve, group by group in stored order
        int sent = 0;                    // records with 送信-年賀状 last year
        int received = 0;                // records with 受信-年賀状 last year
        int mourning = 0;                // records left out for 受信-喪中 this year
    };

    static Plan plan(const AddressBook& book, int thisYear);
    // Reserves the plan's records in one undo step; false when there is none.
    static bool reserve(CORINOTEDoc& doc, const Plan& plan);
};
