#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class CAddressData;
class CORINOTEDoc;
class CsvDataTable;
class TextMeasurer;

// CSV rows as address records, so that templates designed for the address book (氏名(R),
// 郵便番号(R), 宛名(R) …) print them as they print reserved records. A CSV column goes
// into the record column its first-line name gives: a title of the address record's
// columns (氏名, 敬称, 郵便番号, 住所1–3, 会社, 部署, 役職, 連名1–5, 敬称1–5 …; never
// 登録番号, so that a CSV row is never taken for a record of the address book), a common
// Japanese variant (名前, 住所, 電話番号, メールアドレス) or an English header of a
// spreadsheet or a mail program (Name, Postal Code, Zip, Address 1–3, Company …).
class CsvRecords
{
public:
    // The record column of a CSV column's name, -1 for none. English names are compared
    // without case, blanks, "_", "-" and ".".
    static int columnFor(const QString& name);

    // The record column of every table column (-1 where none); where two table columns
    // give the same record column, the first one takes it.
    static QList<int> mapping(const QStringList& names);

    // The record list of data mode for the rows, in order: (startPosition − 1) blank
    // records for the labels used already, then one record per row with the mapped
    // cells (postal codes in their stored form, "NNN-NNNN", where they read as codes; a
    // joint name without its honorific given the main one, as the address book saves).
    static CAddressData recordList(const CsvDataTable& table, const QList<int>& rows,
                                   int startPosition);

    // Places the rows as address records ("住所録の項目として使う"): the record list becomes
    // recordList() of the rows (at most CsvPlacement::MaxRows) from the print start
    // position, and the pages are built and merged from it as from the print reservation
    // (Pagination::mergeHeldRecords: merge fields, auto-replace rules, name blocks, the
    // sheets without a row cleared); CSV markers are then filled as CsvPlacement::place
    // fills them. The record list stays, so entering data mode again merges the same
    // records (the markers then stay empty: the table is gone). Takes no undo snapshot; the selection is emptied, the current page is 1, the
    // document is marked modified and redrawn.
    static void place(CORINOTEDoc& doc, const CsvDataTable& table, const QList<int>& rows,
                      const QDate& today, const TextMeasurer* measurer,
                      const std::function<void(int done, int total)>& progress = {});
};
