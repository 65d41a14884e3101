#include "AddressBookOperations.h"

#include "AddressBookRecovery.h"

#include "address/AddressBook.h"
#include "address/CAddressData.h"

#include "base/RegularFile.h"
#include "model/CORINOTEDoc.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QUrl>

#include <algorithm>
#include <array>
#include <map>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("AddressBookOperations", text);
}

bool validGroup(int group)
{
    return group >= 0 && group < AddressBook::GroupCount;
}

// Search results are kept for groups 0–18 only.
QList<qint32>* searchResults(CORINOTEDoc& doc, int group)
{
    return group >= 0 && group < AddressBook::SenderGroup ? &doc.groupList(group) : nullptr;
}

// The record indices of each group among the refs, largest first and each once, so that
// removing them one after the other does not shift those still to come.
std::map<int, QList<int>> descendingByGroup(const QList<AddressRecordRef>& refs,
                                            const AddressBook& book)
{
    std::map<int, QList<int>> byGroup;
    for (const AddressRecordRef& ref : refs) {
        if (validGroup(ref.group) && ref.record >= 0 &&
            ref.record < book.group(ref.group).recordCount())
            byGroup[ref.group].append(ref.record);
    }
    for (auto& [group, records] : byGroup) {
        std::sort(records.begin(), records.end(), std::greater<int>());
        records.erase(std::unique(records.begin(), records.end()), records.end());
    }
    return byGroup;
}

bool sameRecord(const CAddressData& a, const CAddressData& b, int record)
{
    for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
        if (a.fieldView(record, c) != b.fieldView(record, c))
            return false;
    }
    return a.flag(record) == b.flag(record);
}

// What identifies a found record across undo: its texts, without the age (the list
// brings ages up to date on its own) and without the reservation flag.
QStringList identity(const CAddressData& data, int record)
{
    QStringList texts;
    texts.reserve(CAddressData::TextColumnCount);
    for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
        if (c != CAddressData::Age)
            texts.append(data.fieldView(record, c).toString());
    }
    return texts;
}

// Runs `step` (an undo or a redo, which forget the search results with the rest of the
// runtime state) and finds the results again among the records it leaves: at the same
// index when that record is still the same, else the first record with the same texts
// that no other result has taken. Results whose record is gone are dropped.
template <typename Step> void keepingSearchResults(CORINOTEDoc& doc, Step step)
{
    std::array<QList<QStringList>, AddressBook::SenderGroup> found;
    std::array<QList<qint32>, AddressBook::SenderGroup> where;
    for (int g = 0; g < AddressBook::SenderGroup; ++g) {
        const CAddressData& data = doc.addressBook().group(g);
        for (qint32 i : doc.groupList(g)) {
            if (i >= 0 && i < data.recordCount()) {
                found[size_t(g)].append(identity(data, i));
                where[size_t(g)].append(i);
            }
        }
    }
    step();
    for (int g = 0; g < AddressBook::SenderGroup; ++g) {
        if (found[size_t(g)].isEmpty())
            continue;
        const CAddressData& data = doc.addressBook().group(g);
        QHash<QStringList, QList<int>> byTexts;
        for (int i = 0; i < data.recordCount(); ++i)
            byTexts[identity(data, i)].append(i);
        QList<qint32>& results = doc.groupList(g);
        results.clear();
        for (int k = 0; k < found[size_t(g)].size(); ++k) {
            QList<int>& candidates = byTexts[found[size_t(g)].at(k)];
            if (candidates.isEmpty())
                continue;
            const qsizetype same = candidates.indexOf(where[size_t(g)].at(k));
            results.append(candidates.takeAt(same >= 0 ? same : 0));
        }
    }
}

} // namespace

QString AddressBookOperations::checkEditable(int tab)
{
    return AddressListRows::isEditableTab(tab) ? QString()
                                               : tr("このリストの住所録データは編集できません。");
}

QString AddressBookOperations::checkRecordsSelected(int count)
{
    return count > 0 ? QString() : tr("住所録データを選択してください。");
}

QString AddressBookOperations::checkOneRecordSelected(int count)
{
    if (count > 1)
        return tr("住所録データを一つだけ選択してください。");
    return checkRecordsSelected(count);
}

QString AddressBookOperations::checkEntryNumberLeft(const AddressBook& book, int group)
{
    if (!validGroup(group) || book.nextEntrySequence(group) > 0)
        return QString();
    return tr("登録番号が上限に達しているため、このグループには住所録データを追加できません。");
}

QStringList AddressBookOperations::newRecordValues(const AddressBook& book, int group,
                                                   const QString& honorific)
{
    QStringList values(CAddressData::TextColumnCount);
    values[CAddressData::EntryNumber] = book.nextEntryNumber(group);
    values[CAddressData::Age] = QStringLiteral("0");
    if (group != AddressBook::SenderGroup)
        values[CAddressData::Honorific] = honorific;
    return values;
}

QStringList AddressBookOperations::recordValues(const AddressBook& book,
                                                const AddressRecordRef& ref)
{
    QStringList values(CAddressData::TextColumnCount);
    if (!validGroup(ref.group))
        return values;
    for (int c = 0; c < CAddressData::TextColumnCount; ++c)
        values[c] = book.group(ref.group).field(ref.record, c);
    return values;
}

void AddressBookOperations::addRecord(CORINOTEDoc& doc, int group, QStringList values)
{
    if (!validGroup(group))
        return;
    values.resize(CAddressData::TextColumnCount);
    if (values.at(CAddressData::EntryNumber).isEmpty())
        values[CAddressData::EntryNumber] = doc.addressBook().nextEntryNumber(group);
    if (values.at(CAddressData::EntryNumber).isEmpty())
        return;
    doc.takeUndoSnapshot(QStringLiteral("住所録データの追加"));
    doc.addressBook().group(group).appendRecord(values);
    doc.setModified(true);
}

void AddressBookOperations::changeRecord(CORINOTEDoc& doc, const AddressRecordRef& ref,
                                         const QStringList& values)
{
    if (!validGroup(ref.group) || ref.record < 0 ||
        ref.record >= doc.addressBook().group(ref.group).recordCount())
        return;
    doc.takeUndoSnapshot(QStringLiteral("住所録データの変更"));
    CAddressData& data = doc.addressBook().group(ref.group);
    for (int c = CAddressData::EntryNumber + 1; c < CAddressData::TextColumnCount; ++c) {
        if (!CAddressData::isReservedColumn(c))
            data.setField(ref.record, c, values.value(c));
    }
    doc.setModified(true);
}

void AddressBookOperations::deleteRecords(CORINOTEDoc& doc, const QList<AddressRecordRef>& refs)
{
    const auto byGroup = descendingByGroup(refs, doc.addressBook());
    if (byGroup.empty())
        return;
    doc.takeUndoSnapshot(QStringLiteral("住所録データの削除"));
    for (const auto& [group, records] : byGroup) {
        CAddressData& data = doc.addressBook().group(group);
        QList<qint32>* results = searchResults(doc, group);
        for (int record : records) {
            data.removeRecord(record);
            // The indices held elsewhere name records by position: move them with the
            // records after the one removed.
            if (group == AddressBook::SenderGroup) {
                int& sender = doc.scalars().senderIndex;
                if (sender == record)
                    sender = 0;
                else if (sender > record)
                    --sender;
            }
            if (results) {
                results->removeAll(record);
                for (qint32& i : *results) {
                    if (i > record)
                        --i;
                }
            }
        }
    }
    doc.setModified(true);
}

QString AddressBookOperations::setReservation(CORINOTEDoc& doc, int tab,
                                              const QList<AddressRecordRef>& refs, bool reserved)
{
    if (tab == AddressListRows::SenderTab)
        return QString();
    if (AddressListRows::isEditableTab(tab) && refs.isEmpty())
        return checkRecordsSelected(0);
    if (refs.isEmpty())
        return QString();
    doc.takeUndoSnapshot(QStringLiteral("印刷予約"));
    for (const AddressRecordRef& ref : refs) {
        if (validGroup(ref.group) && ref.group != AddressBook::SenderGroup)
            doc.addressBook().group(ref.group).setFlag(ref.record, reserved ? 1 : 0);
    }
    doc.setModified(true);
    return QString();
}

QString AddressBookOperations::toggleReservation(CORINOTEDoc& doc, int tab,
                                                 const QList<AddressRecordRef>& refs)
{
    const bool allReserved = std::all_of(refs.begin(), refs.end(), [&doc](const AddressRecordRef& r) {
        return validGroup(r.group) && doc.addressBook().group(r.group).flag(r.record) != 0;
    });
    return setReservation(doc, tab, refs, !allReserved || refs.isEmpty());
}

void AddressBookOperations::makeDefaultOrder(CORINOTEDoc& doc, int group, const QList<int>& order)
{
    if (!validGroup(group))
        return;
    const CAddressData& old = doc.addressBook().group(group);
    const int n = old.recordCount();
    QList<int> sequence;
    sequence.reserve(n);
    QList<bool> taken(n, false);
    for (int i : order) {
        if (i >= 0 && i < n && !taken.at(i)) {
            taken[i] = true;
            sequence.append(i);
        }
    }
    for (int i = 0; i < n; ++i) {
        if (!taken.at(i))
            sequence.append(i);
    }

    doc.takeUndoSnapshot(QStringLiteral("並べ替え"));
    CAddressData rebuilt;
    for (int i : sequence)
        rebuilt.appendRecordFrom(old, i);
    // The reserved columns are nobody's to reorder: they stay exactly as read.
    for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
        if (!CAddressData::isReservedColumn(c))
            continue;
        const QStringList entries = old.textColumn(c);
        for (int i = 0; i < entries.size(); ++i)
            rebuilt.setField(i, c, entries.at(i));
    }
    for (int h = 0; h < old.historyCount(); ++h) {
        rebuilt.appendHistory(
            old.history(h, CAddressData::HistoryKey), old.history(h, CAddressData::HistorySubject),
            old.history(h, CAddressData::HistoryDate), old.history(h, CAddressData::HistoryNote));
    }

    QList<int> newIndex(n);
    for (int pos = 0; pos < sequence.size(); ++pos)
        newIndex[sequence.at(pos)] = pos;
    if (group == AddressBook::SenderGroup) {
        int& sender = doc.scalars().senderIndex;
        if (sender >= 0 && sender < n)
            sender = newIndex.at(sender);
    }
    if (QList<qint32>* results = searchResults(doc, group)) {
        for (qint32& i : *results) {
            if (i >= 0 && i < n)
                i = newIndex.at(i);
        }
    }
    doc.addressBook().group(group) = rebuilt;
    doc.setModified(true);
}

QString AddressBookOperations::setSender(CORINOTEDoc& doc, const QList<AddressRecordRef>& refs)
{
    if (refs.isEmpty())
        return checkRecordsSelected(0);
    const AddressRecordRef first = refs.first();
    if (first.group != AddressBook::SenderGroup)
        return QString();
    doc.takeUndoSnapshot(QStringLiteral("差出人"));
    doc.scalars().senderIndex = first.record;
    doc.setModified(true);
    return QString();
}

QString AddressBookOperations::linkText(const AddressBook& book, const AddressRecordRef& ref,
                                        int command, QString* message)
{
    int column = -1;
    switch (command) {
    case Mail1Command:
        column = CAddressData::Mail1;
        break;
    case Mail2Command:
        column = CAddressData::Mail2;
        break;
    case MobileMail1Command:
        column = CAddressData::MobileMail1;
        break;
    case MobileMail2Command:
        column = CAddressData::MobileMail2;
        break;
    case CompanyMailCommand:
        column = CAddressData::CompanyMail;
        break;
    case UrlCommand:
        column = CAddressData::Url;
        break;
    case CompanyUrlCommand:
        column = CAddressData::CompanyUrl;
        break;
    default:
        return QString();
    }
    const bool mail = command <= CompanyMailCommand;
    const QString value =
        validGroup(ref.group) ? book.group(ref.group).field(ref.record, column) : QString();
    if (value.isEmpty()) {
        if (message)
            *message =
                mail ? tr("メールアドレスが設定されていません。") : tr("URLが設定されていません。");
        return QString();
    }
    // The desktop runs whatever it is handed: a path or a file: URL from an imported file
    // would start a program. Only web pages and mail leave here; a home page typed
    // without its scheme ("www.example.jp") is a web page, as a browser reads it.
    // QUrl keeps schemes in lower case.
    const QUrl url =
        mail ? QUrl(QStringLiteral("mailto:") + value) : QUrl::fromUserInput(value.trimmed());
    const QString scheme = url.scheme();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
                           scheme != QLatin1String("mailto"))) {
        if (message)
            *message =
                mail ? tr("このメールアドレスは開けません。")
                     : tr("このURLは開けません。開けるのは http、https、mailto のリンクだけです。");
        return QString();
    }
    return mail ? QStringLiteral("mailto:") + value : url.toString();
}

void AddressBookOperations::undo(CORINOTEDoc& doc)
{
    if (doc.undoAvailable != 0)
        keepingSearchResults(doc, [&doc] { doc.undo(); });
}

void AddressBookOperations::redo(CORINOTEDoc& doc)
{
    if (doc.redoAvailable != 0)
        keepingSearchResults(doc, [&doc] { doc.redo(); });
}

QString AddressBookOperations::loadFile(CORINOTEDoc& doc, const QString& path, bool* changed)
{
    *changed = false;
    {
        // A file that cannot be opened changes nothing, not even the snapshot offered.
        QFile probe(path);
        if (!RegularFile::open(probe))
            return tr("ファイルオープン失敗");
    }
    // Records not saved anywhere are kept aside before the file replaces them.
    AddressBookRecovery::keepUnsaved(doc);
    doc.takeUndoSnapshot(QStringLiteral("住所録ファイルを開く"));
    const QString message = doc.addressBook().loadFile(path);
    *changed = true;
    // A book read whole belongs to its file; what was read of a broken one is saved nowhere.
    if (message.isEmpty())
        doc.addressBookOrigin().reset(doc.addressBook(), path);
    else
        doc.addressBookOrigin().forget();
    doc.scalars().senderIndex = 0;
    for (int g = 0; g < AddressBook::SenderGroup; ++g)
        doc.groupList(g).clear();
    doc.setModified(true);
    return message;
}

QString AddressBookOperations::saveFile(CORINOTEDoc& doc, const QString& path)
{
    doc.takeUndoSnapshot(QStringLiteral("住所録データの保存"));
    const QString message = doc.addressBook().storeFile(path);
    if (message.isEmpty())
        doc.addressBookOrigin().reset(doc.addressBook(), path);
    return message;
}

void AddressBookOperations::groupsReplaced(CORINOTEDoc& doc, const AddressBook& before)
{
    const AddressBook& now = doc.addressBook();
    if (now == before)
        return;
    for (int g = 0; g < AddressBook::SenderGroup; ++g) {
        const CAddressData& a = before.group(g);
        const CAddressData& b = now.group(g);
        const int n = std::min(a.recordCount(), b.recordCount());
        QList<qint32>& results = doc.groupList(g);
        results.removeIf([&](qint32 i) { return i < 0 || i >= n || !sameRecord(a, b, i); });
    }
    doc.setModified(true);
}
