#include "AddressHistory.h"

#include "address/AddressBook.h"
#include "address/CAddressData.h"

#include "base/TextCodec.h"
#include "model/CORINOTEDoc.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("AddressHistory", text);
}

bool historyGroup(int group)
{
    return group >= 0 && group < AddressBook::SenderGroup;
}

} // namespace

QStringList AddressHistory::subjects()
{
    return {QString(),
            tr("送信-年賀状"),
            tr("送信-暑中見舞い"),
            tr("送信-ご案内"),
            tr("送信-招待状"),
            tr("送信-バースデイカード"),
            tr("送信-クリスマスカード"),
            tr("送信-喪中"),
            tr("受信-年賀状"),
            tr("受信-暑中見舞い"),
            tr("受信-ご案内"),
            tr("受信-招待状"),
            tr("受信-バースデイカード"),
            tr("受信-クリスマスカード"),
            tr("受信-喪中")};
}

QString AddressHistory::checkRowsSelected(int count)
{
    return count > 0 ? QString() : tr("送受信履歴を選択してください。");
}

QString AddressHistory::checkOneRowSelected(int count)
{
    if (count > 1)
        return tr("送受信履歴を一つだけ選択してください。");
    return checkRowsSelected(count);
}

bool AddressHistory::hasHistory(int group)
{
    return historyGroup(group);
}

QList<int> AddressHistory::rowsOf(const AddressBook& book, const AddressRecordRef& ref)
{
    QList<int> rows;
    if (!historyGroup(ref.group))
        return rows;
    const CAddressData& data = book.group(ref.group);
    const QString key = data.field(ref.record, CAddressData::EntryNumber);
    if (key.isEmpty())
        return rows;
    QList<QByteArray> dates;
    for (int h = 0; h < data.historyCount(); ++h) {
        if (data.history(h, CAddressData::HistoryKey) == key) {
            rows.append(h);
            dates.append(TextCodec::encode(data.history(h, CAddressData::HistoryDate)));
        }
    }
    QList<int> order(rows.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return dates.at(b) < dates.at(a); });
    QList<int> sorted;
    sorted.reserve(rows.size());
    for (int i : order)
        sorted.append(rows.at(i));
    return sorted;
}

AddressHistory::Entry AddressHistory::entry(const AddressBook& book, int group, int row)
{
    if (group < 0 || group >= AddressBook::GroupCount)
        return Entry();
    const CAddressData& data = book.group(group);
    return {data.history(row, CAddressData::HistorySubject),
            data.history(row, CAddressData::HistoryDate),
            data.history(row, CAddressData::HistoryNote)};
}

bool AddressHistory::add(CORINOTEDoc& doc, const QList<AddressRecordRef>& refs, const Entry& entry)
{
    QList<AddressRecordRef> owners;
    for (const AddressRecordRef& ref : refs) {
        if (historyGroup(ref.group) && ref.record >= 0 &&
            ref.record < doc.addressBook().group(ref.group).recordCount())
            owners.append(ref);
    }
    if (owners.isEmpty())
        return false;
    doc.takeUndoSnapshot(QStringLiteral("送受信履歴の追加"));
    for (const AddressRecordRef& ref : owners) {
        CAddressData& data = doc.addressBook().group(ref.group);
        data.appendHistory(data.field(ref.record, CAddressData::EntryNumber), entry.subject,
                           entry.date, entry.note);
    }
    doc.setModified(true);
    return true;
}

void AddressHistory::change(CORINOTEDoc& doc, int group, int row, const Entry& entry)
{
    if (!historyGroup(group))
        return;
    CAddressData& data = doc.addressBook().group(group);
    const int count = data.historyCount();
    if (row < 0 || row >= count)
        return;
    doc.takeUndoSnapshot(QStringLiteral("送受信履歴の変更"));
    // The group has no way to change a history row in place: the rows from this one on
    // are taken off and put back, the changed one first, so every row keeps its place.
    struct Row
    {
        QString key, subject, date, note;
    };
    QList<Row> tail;
    for (int h = row; h < count; ++h) {
        tail.append({data.history(h, CAddressData::HistoryKey),
                     data.history(h, CAddressData::HistorySubject),
                     data.history(h, CAddressData::HistoryDate),
                     data.history(h, CAddressData::HistoryNote)});
    }
    for (int h = count - 1; h >= row; --h)
        data.removeHistory(h);
    tail.first().subject = entry.subject;
    tail.first().date = entry.date;
    tail.first().note = entry.note;
    for (const Row& r : tail)
        data.appendHistory(r.key, r.subject, r.date, r.note);
    doc.setModified(true);
}

void AddressHistory::remove(CORINOTEDoc& doc, int group, const QList<int>& rows)
{
    if (!historyGroup(group))
        return;
    CAddressData& data = doc.addressBook().group(group);
    QList<int> sorted;
    for (int r : rows) {
        if (r >= 0 && r < data.historyCount())
            sorted.append(r);
    }
    if (sorted.isEmpty())
        return;
    std::sort(sorted.begin(), sorted.end(), std::greater<int>());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    doc.takeUndoSnapshot(QStringLiteral("送受信履歴の削除"));
    for (int r : sorted)
        data.removeHistory(r);
    doc.setModified(true);
}
