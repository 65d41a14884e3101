#include "CardSeason.h"

#include "AddressBookOperations.h"
#include "AddressSearch.h"

#include "address/AddressBook.h"
#include "address/CAddressData.h"

#include "model/CORINOTEDoc.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CardSeason", text);
}

std::vector<bool> had(const CAddressData& group, const QString& subject, const QDate& from,
                      const QDate& to)
{
    return AddressSearch::historyMatches(group, {subject, from, to, true});
}

} // namespace

int CardSeason::defaultNewYear(const QDate& today)
{
    return today.month() >= 10 ? today.year() + 1 : today.year();
}

QDate CardSeason::seasonStart(int newYear)
{
    return QDate(newYear - 1, 11, 1);
}

QDate CardSeason::seasonEnd(int newYear)
{
    return QDate(newYear, 2, 15);
}

QDate CardSeason::mourningFrom(int newYear)
{
    return QDate(newYear - 1, 6, 1);
}

CardSeason::Plan CardSeason::plan(const AddressBook& book, int newYear)
{
    Plan p;
    p.newYear = newYear;
    const QDate from = seasonStart(newYear - 1);
    const QDate to = seasonEnd(newYear - 1);
    for (int g = 0; g < AddressBook::SenderGroup; ++g) {
        const CAddressData& group = book.group(g);
        const std::vector<bool> sent = had(group, tr("送信-年賀状"), from, to);
        const std::vector<bool> received = had(group, tr("受信-年賀状"), from, to);
        const std::vector<bool> mourning =
            had(group, tr("受信-喪中"), mourningFrom(newYear), QDate());
        for (int i = 0; i < group.recordCount(); ++i) {
            const size_t k = size_t(i);
            if (!sent[k] && !received[k])
                continue;
            p.sent += sent[k] ? 1 : 0;
            p.received += received[k] ? 1 : 0;
            if (mourning[k]) {
                ++p.mourning;
                continue;
            }
            p.records.append({g, i});
        }
    }
    return p;
}

bool CardSeason::reserve(CORINOTEDoc& doc, const Plan& plan)
{
    if (plan.records.isEmpty())
        return false;
    AddressBookOperations::setReservation(doc, AddressListRows::AllTab, plan.records, true);
    return true;
}
