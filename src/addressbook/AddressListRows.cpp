#include "AddressListRows.h"

#include "address/AddressBook.h"
#include "address/AgeCalculator.h"
#include "address/CAddressData.h"

#include "base/TextCodec.h"
#include "model/CORINOTEDoc.h"
#include "postal/PostalCode.h"

#include <QCoreApplication>

#include <algorithm>
#include <numeric>

namespace {

struct ListColumn
{
    int recordColumn;
    int width;
};

// The list shows the record columns in its own order: names first, then addresses,
// telephones, company data, joint names and notes.
const ListColumn kColumns[AddressListRows::ColumnCount] = {
    {CAddressData::EntryNumber, 100},
    {CAddressData::Name, 100},
    {CAddressData::Honorific, 50},
    {CAddressData::Reading, 100},
    {CAddressData::PostalCode, 70},
    {CAddressData::Address1, 200},
    {CAddressData::Address2, 200},
    {CAddressData::Address3, 200},
    {CAddressData::Relation, 50},
    {CAddressData::Phone1, 100},
    {CAddressData::Phone2, 100},
    {CAddressData::Mobile1, 100},
    {CAddressData::Mobile2, 100},
    {CAddressData::Fax, 100},
    {CAddressData::Mail1, 100},
    {CAddressData::Mail2, 100},
    {CAddressData::MobileMail1, 100},
    {CAddressData::MobileMail2, 100},
    {CAddressData::Url, 100},
    {CAddressData::Sex, 50},
    {CAddressData::BirthDate, 80},
    {CAddressData::Age, 50},
    {CAddressData::Company, 150},
    {CAddressData::CompanyPostalCode, 100},
    {CAddressData::CompanyAddress1, 200},
    {CAddressData::CompanyAddress2, 200},
    {CAddressData::CompanyAddress3, 200},
    {CAddressData::Department, 70},
    {CAddressData::Position, 70},
    {CAddressData::CompanyPhone1, 100},
    {CAddressData::CompanyPhone2, 100},
    {CAddressData::CompanyFax, 100},
    {CAddressData::CompanyMail, 100},
    {CAddressData::CompanyUrl, 100},
    {CAddressData::JointName1, 100},
    {CAddressData::JointName1 + 1, 50},
    {CAddressData::JointName1 + 2, 100},
    {CAddressData::JointName1 + 3, 50},
    {CAddressData::JointName1 + 4, 100},
    {CAddressData::JointName1 + 5, 50},
    {CAddressData::JointName1 + 6, 100},
    {CAddressData::JointName1 + 7, 50},
    {CAddressData::JointName1 + 8, 100},
    {CAddressData::JointName1 + 9, 50},
    {CAddressData::Note1, 100},
    {CAddressData::Note2, 100},
    {CAddressData::Picture, 200},
};

bool gSortDescending = false;

QString tr(const char* text)
{
    return QCoreApplication::translate("AddressListRows", text);
}

// Writes the age computed for today into the record, only where it differs: an unchanged
// record is not touched, so refilling a list costs no writes once the ages are current.
void refreshAge(CAddressData& group, int record, const QDate& today)
{
    const int age = AgeCalculator::age(group.fieldView(record, CAddressData::BirthDate), today);
    if (age < 0)
        return;
    const QString text = QString::number(age);
    if (group.fieldView(record, CAddressData::Age) != text)
        group.setField(record, CAddressData::Age, text);
}

} // namespace

QString AddressListRows::tabCaption(int tab)
{
    if (tab >= 0 && tab < AddressBook::SenderGroup)
        return AddressBook::groupLabel(tab);
    switch (tab) {
    case AllTab:
        return tr("すべて");
    case SearchTab:
        return tr("検索結果");
    case ReservedTab:
        return tr("印刷予約");
    case SenderTab:
        return AddressBook::groupLabel(AddressBook::SenderGroup);
    default:
        return QString();
    }
}

int AddressListRows::groupOfTab(int tab)
{
    if (tab >= 0 && tab < AddressBook::SenderGroup)
        return tab;
    return tab == SenderTab ? AddressBook::SenderGroup : -1;
}

QString AddressListRows::columnTitle(int column)
{
    return CAddressData::columnTitle(recordColumn(column));
}

int AddressListRows::columnWidth(int column)
{
    return column >= 0 && column < ColumnCount ? kColumns[column].width : 0;
}

int AddressListRows::recordColumn(int column)
{
    return column >= 0 && column < ColumnCount ? kColumns[column].recordColumn : -1;
}

void AddressListRows::clear()
{
    mRows.clear();
}

void AddressListRows::fill(CORINOTEDoc& doc, int tab, const QDate& today)
{
    mRows.clear();
    mTab = tab;
    AddressBook& book = doc.addressBook();
    const auto addGroup = [&](int g, bool reservedOnly) {
        const CAddressData& data = book.group(g);
        const int n = data.recordCount();
        for (int i = 0; i < n; ++i) {
            if (!reservedOnly || data.flag(i) != 0)
                mRows.append({g, i});
        }
    };
    const int group = groupOfTab(tab);
    if (group >= 0) {
        mRows.reserve(book.group(group).recordCount());
        addGroup(group, false);
    } else if (tab == AllTab || tab == ReservedTab) {
        for (int g = 0; g < AddressBook::SenderGroup; ++g)
            addGroup(g, tab == ReservedTab);
    } else if (tab == SearchTab) {
        for (int g = 0; g < AddressBook::SenderGroup; ++g) {
            const int n = book.group(g).recordCount();
            for (qint32 i : doc.groupList(g)) {
                if (i >= 0 && i < n)
                    mRows.append({g, int(i)});
            }
        }
    }
    // From the last row back: a packed column moves the text after an entry whose length
    // changes, so writing from the end keeps a first refresh of a large group cheap.
    for (qsizetype r = mRows.size() - 1; r >= 0; --r)
        refreshAge(book.group(mRows.at(r).group), mRows.at(r).record, today);
}

QList<AddressRecordRef> AddressListRows::refs(const QList<int>& rowIndices) const
{
    QList<AddressRecordRef> result;
    result.reserve(rowIndices.size());
    for (int i : rowIndices) {
        if (i >= 0 && i < mRows.size())
            result.append(mRows.at(i));
    }
    return result;
}

QString AddressListRows::text(const AddressBook& book, int row, int column) const
{
    if (row < 0 || row >= mRows.size())
        return QString();
    const AddressRecordRef ref = mRows.at(row);
    return book.group(ref.group).field(ref.record, recordColumn(column));
}

QStringList AddressListRows::rowTexts(const AddressBook& book, int row) const
{
    QStringList texts;
    texts.reserve(ColumnCount);
    for (int c = 0; c < ColumnCount; ++c)
        texts.append(text(book, row, c));
    return texts;
}

QList<QStringList> AddressListRows::allTexts(const AddressBook& book) const
{
    QList<QStringList> result;
    result.reserve(mRows.size());
    for (int r = 0; r < mRows.size(); ++r)
        result.append(rowTexts(book, r));
    return result;
}

AddressListRows::Icon AddressListRows::icon(const AddressBook& book, int row, int senderIndex) const
{
    if (row < 0 || row >= mRows.size())
        return PlainIcon;
    if (mTab == ReservedTab)
        return ReservedIcon;
    const AddressRecordRef ref = mRows.at(row);
    if (mTab == SenderTab && ref.record == senderIndex)
        return SenderIcon;
    return book.group(ref.group).flag(ref.record) != 0 ? ReservedIcon : PlainIcon;
}

bool AddressListRows::isMalformedPostalCode(const AddressBook& book, int row, int column) const
{
    const int recordCol = recordColumn(column);
    if (recordCol != CAddressData::PostalCode && recordCol != CAddressData::CompanyPostalCode)
        return false;
    if (row < 0 || row >= mRows.size())
        return false;
    const AddressRecordRef ref = mRows.at(row);
    return PostalCode::isMalformed(book.group(ref.group).field(ref.record, recordCol));
}

void AddressListRows::sortByColumn(const AddressBook& book, int column, bool descending)
{
    const int recordCol = recordColumn(column);
    if (recordCol < 0 || mRows.size() < 2)
        return;
    QList<int> order(mRows.size());
    std::iota(order.begin(), order.end(), 0);
    const auto sortBy = [&](const auto& keys) {
        if (descending)
            std::stable_sort(order.begin(), order.end(),
                             [&](int a, int b) { return keys[b] < keys[a]; });
        else
            std::stable_sort(order.begin(), order.end(),
                             [&](int a, int b) { return keys[a] < keys[b]; });
    };
    if (column == AgeColumn) {
        std::vector<int> keys(size_t(mRows.size()));
        for (int r = 0; r < mRows.size(); ++r) {
            const AddressRecordRef ref = mRows.at(r);
            keys[size_t(r)] = AgeCalculator::leadingNumber(
                book.group(ref.group).fieldView(ref.record, recordCol));
        }
        sortBy(keys);
    } else {
        // Each text is encoded once; QByteArray's operator< compares bytes unsigned, which
        // is the CP932 order of the texts.
        std::vector<QByteArray> keys(size_t(mRows.size()));
        for (int r = 0; r < mRows.size(); ++r) {
            const AddressRecordRef ref = mRows.at(r);
            keys[size_t(r)] = TextCodec::encode(book.group(ref.group).field(ref.record, recordCol));
        }
        sortBy(keys);
    }
    QList<AddressRecordRef> sorted;
    sorted.reserve(mRows.size());
    for (int i : order)
        sorted.append(mRows.at(i));
    mRows = sorted;
}

bool AddressListRows::sortByHeaderClick(const AddressBook& book, int column)
{
    if (mTab == SenderTab || column < 0 || column >= ColumnCount)
        return false;
    sortByColumn(book, column, gSortDescending);
    gSortDescending = !gSortDescending;
    return true;
}

bool AddressListRows::sortDescending()
{
    return gSortDescending;
}

void AddressListRows::setSortDescending(bool descending)
{
    gSortDescending = descending;
}
