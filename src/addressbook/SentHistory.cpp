#include "SentHistory.h"

#include "address/AddressBook.h"
#include "address/AgeCalculator.h"
#include "address/CAddressData.h"
#include "AddressSearch.h"
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

QList<AddressRecordRef> SentHistory::withoutRow(const AddressBook& book,
                                                const QList<AddressRecordRef>& refs,
                                                const AddressHistory::Entry& entry)
{
    // A day is compared as a date where the text reads as one ("2026/1/5" is 2026/01/05).
    const QDate day = AddressSearch::historyDate(entry.date);
    const auto sameDay = [&](const QString& text) {
        return day.isValid() ? AddressSearch::historyDate(text) == day
                             : text.trimmed() == entry.date.trimmed();
    };
    QList<AddressRecordRef> out;
    for (const AddressRecordRef& ref : refs) {
        const CAddressData& group = book.group(ref.group);
        const QString key = group.field(ref.record, CAddressData::EntryNumber);
        bool has = false;
        for (int h = 0; h < group.historyCount() && !has && !key.isEmpty(); ++h) {
            has = group.history(h, CAddressData::HistoryKey) == key &&
                  group.history(h, CAddressData::HistorySubject) == entry.subject &&
                  sameDay(group.history(h, CAddressData::HistoryDate));
        }
        if (!has)
            out.append(ref);
    }
    return out;
}

bool SentHistory::record(CORINOTEDoc& doc, const QList<AddressRecordRef>& refs,
                         const AddressHistory::Entry& entry)
{
    if (!AddressHistory::add(doc, withoutRow(doc.addressBook(), refs, entry), entry))
        return false;
    if (Profile* profile = doc.profile())
        profile->writeString(subjectKey(), entry.subject);
    return true;
}
