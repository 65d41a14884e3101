#include "SentHistory.h"

#include "address/AddressBook.h"
#include "address/AgeCalculator.h"
#include "address/CAddressData.h"
#include "merge/MergeExpander.h"
#include "model/CORINOTEDoc.h"
#include "model/Profile.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

namespace {

QString newYearCards()
{
    return QCoreApplication::translate("CardSeason", "送信-年賀状");
}

bool pagePrinted(const QList<int>& pages, int page)
{
    return pages.isEmpty() || pages.contains(page);
}

} // namespace

QString SentHistory::askKey()
{
    return QStringLiteral("PHQ");
}

QString SentHistory::subjectKey()
{
    return QStringLiteral("PHS");
}

bool SentHistory::asks(const Profile* profile)
{
    return !profile || profile->readInt(askKey(), 1) != 0;
}

void SentHistory::setAsks(Profile* profile, bool asks)
{
    if (profile)
        profile->writeInt(askKey(), asks ? 1 : 0);
}

QList<AddressRecordRef> SentHistory::printedRecords(const CORINOTEDoc& doc, const QList<int>& pages)
{
    QList<AddressRecordRef> printed;
    const CAddressData& list = doc.recordList();
    const int perPage = doc.sheetsPerPage();
    if (perPage <= 0 || list.recordCount() == 0)
        return printed;

    // Entry number → the records of groups 0–18 that carry it.
    const AddressBook& book = doc.addressBook();
    QHash<QString, QList<AddressRecordRef>> byNumber;
    for (int g = 0; g < AddressBook::SenderGroup; ++g) {
        const CAddressData& group = book.group(g);
        for (int i = 0; i < group.recordCount(); ++i) {
            const QString number = group.field(i, CAddressData::EntryNumber);
            if (!number.isEmpty())
                byNumber[number].append({g, i});
        }
    }

    QSet<qint64> taken;
    const auto key = [](const AddressRecordRef& r) { return (qint64(r.group) << 32) | r.record; };
    const int sheets = perPage * doc.pageCount();
    for (int r = 0; r < list.recordCount() && r < sheets; ++r) {
        if (!pagePrinted(pages, r / perPage + 1) || MergeExpander::isBlankRecord(list, r))
            continue;
        const auto found = byNumber.constFind(list.field(r, CAddressData::EntryNumber));
        if (found == byNumber.constEnd())
            continue;
        const QString name = list.field(r, CAddressData::Name);
        const AddressRecordRef* pick = nullptr;
        for (const AddressRecordRef& ref : *found) {
            if (!taken.contains(key(ref)) &&
                book.group(ref.group).field(ref.record, CAddressData::Name) == name) {
                pick = &ref;
                break;
            }
        }
        if (!pick)
            continue;
        taken.insert(key(*pick));
        printed.append(*pick);
    }
    return printed;
}

AddressHistory::Entry SentHistory::proposal(const Profile* profile, const QDate& today)
{
    AddressHistory::Entry entry;
    entry.date = AgeCalculator::dateText(today);
    const bool season = today.month() == 12 || today.month() == 1;
    const QString last = profile ? profile->readString(subjectKey(), QString()) : QString();
    entry.subject = season || last.isEmpty() ? newYearCards() : last;
    return entry;
}

bool SentHistory::record(CORINOTEDoc& doc, const QList<AddressRecordRef>& refs,
                         const AddressHistory::Entry& entry)
{
    if (!AddressHistory::add(doc, refs, entry))
        return false;
    if (Profile* profile = doc.profile())
        profile->writeString(subjectKey(), entry.subject);
    return true;
}
