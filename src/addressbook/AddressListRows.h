#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class AddressBook;
class CORINOTEDoc;

// One record of the address book: its group (0–19) and its index in that group.
struct AddressRecordRef
{
    int group = -1;
    int record = -1;

    friend bool operator==(const AddressRecordRef& a, const AddressRecordRef& b)
    {
        return a.group == b.group && a.record == b.record;
    }
};

// The rows of the address book window's address list for one tab, and the texts they
// show.
//
// Tabs 0–18 show groups 0–18, tab 19 "すべて" every record of groups 0–18, tab 20
// "検索結果" the document's last search result, tab 21 "印刷予約" the reserved records of
// groups 0–18, tab 22 "差出人" the senders (group 19). Each row is bound to its record
// by group and index, not by a copy, so the texts are read from the document when they
// are shown and a list of ten thousand rows costs a few bytes per row.
//
// A row list is valid until the groups change; after any change the caller fills it again.
class AddressListRows
{
public:
    enum Tab
    {
        FirstGroupTab = 0, // tabs 0–18: groups 0–18
        AllTab = 19,
        SearchTab = 20,
        ReservedTab = 21,
        SenderTab = 22,
        TabCount = 23
    };
    enum Icon
    {
        PlainIcon = 0,
        ReservedIcon = 1,
        SenderIcon = 2
    };
    static constexpr int ColumnCount = 47;
    static constexpr int AgeColumn = 21;

    static QString tabCaption(int tab);
    // The group a tab shows, or -1 for tabs 19–21, which mix groups 0–18.
    static int groupOfTab(int tab);
    // Tabs whose records may be added, changed, deleted and reordered: 0–18 and 22.
    static bool isEditableTab(int tab) { return groupOfTab(tab) >= 0; }

    // The list column's caption, its width in pixels, and the record column it shows.
    static QString columnTitle(int column);
    static int columnWidth(int column);
    static int recordColumn(int column);

    // Empties the list and fills it for the tab: groups in order, records in stored order
    // (search results in the order found). Every row's age is recomputed from its birth
    // date for `today` and written into the record's "年齢" column; a record without a
    // readable birth year keeps the age it has. Search-result indices that no longer name
    // a record are skipped.
    void fill(CORINOTEDoc& doc, int tab, const QDate& today);
    void clear();

    int tab() const { return mTab; }
    int size() const { return int(mRows.size()); }
    bool isEmpty() const { return mRows.isEmpty(); }
    AddressRecordRef row(int i) const { return mRows.value(i); }
    const QList<AddressRecordRef>& rows() const { return mRows; }
    // The rows' records, in the order of the given row indices; indices outside the list
    // are left out.
    QList<AddressRecordRef> refs(const QList<int>& rowIndices) const;

    // The text a cell shows; empty outside the list.
    QString text(const AddressBook& book, int row, int column) const;
    // The 47 texts of a row, and of every row in list order (what CSV export writes).
    QStringList rowTexts(const AddressBook& book, int row) const;
    QList<QStringList> allTexts(const AddressBook& book) const;
    // The row's icon: on tab 21 always reserved; on tab 22 the current sender's row shows
    // the sender icon; otherwise reserved when the record's flag is non-zero.
    Icon icon(const AddressBook& book, int row, int senderIndex) const;

    // Whether the cell shows a postal code (郵便番号, 会社郵便番号) that is not empty but
    // not in the form "NNN-NNNN" either, so that it would print blank digit boxes: the
    // list marks such cells.
    bool isMalformedPostalCode(const AddressBook& book, int row, int column) const;

    // Sorts the rows by a column's text: CP932 bytes compared unsigned, except "年齢",
    // compared as a number. Stable: rows with equal texts keep their order.
    void sortByColumn(const AddressBook& book, int column, bool descending);
    // A click on a column header: sorts by the column in the shared direction and flips
    // it. On tab 22 the list is never sorted and the direction stays. Returns whether the
    // rows were sorted.
    bool sortByHeaderClick(const AddressBook& book, int column);

    // The sort direction shared by every address list of the program run: ascending at
    // start, flipped after each sort by a header click.
    static bool sortDescending();
    static void setSortDescending(bool descending);

private:
    QList<AddressRecordRef> mRows;
    int mTab = 0;
};
