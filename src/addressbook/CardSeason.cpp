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

std::vector<bool> had(const CAddressData& group, const QString& subject, int year)
{
    AddressSearch::Criteria c;
    c.useHistory = true;
    c.historySubject = subject;
    AddressSearch::setHistoryYear(c, year);
    return AddressSearch::historyMatches(group, c);
}

} // namespace

CardSeason::Plan CardSeason::plan(const AddressBook& book, int thisYear)
{
    Plan p;
    for (int g = 0; g < AddressBook::SenderGroup; ++g) {
        const CAddressData& group = book.group(g);
        const std::vector<bool> sent = had(group, tr("送信-年賀状"), thisYear - 1);
        const std::vector<bool> received = had(group, tr("受信-年賀状"), thisYear - 1);
        const std::vector<bool> mourning = had(group, tr("受信-喪中"), thisYear);
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
