#pragma once

#include "AddressListRows.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class AddressBook;
class QPagedPaintDevice;
class QPainter;

// 住所録リストの印刷: listed address records as a table on A4 portrait pages, for the
// printer and for PDF alike. Each page has a heading with the list's name and the date,
// the column captions, up to RowsPerPage records (登録番号, 氏名, 敬称, 郵便番号, 住所1
// over 住所2 and 住所3, 電話番号1, and the newest history row's subject over its date) and
// "n / N" at its foot. 氏名 stands over the joint names (連名1–5), 住所1 over 住所2 and
// 住所3; a text too long for its cell wraps within it, set smaller until it fits, so
// nothing is cut off.
class AddressListPrint
{
public:
    struct Row
    {
        QString entryNumber, name, honorific, postalCode, address1, address2, phone;
        QString historySubject, historyDate;
        QString address3;
        QStringList jointNames; // 連名1–5 that are not empty
    };

    static constexpr int RowsPerPage = 28;

    // The texts of the records, in the given order; references that no longer name a
    // record are left out.
    static QList<Row> rows(const AddressBook& book, const QList<AddressRecordRef>& refs);
    // The number of pages the rows take: ceil(rows / RowsPerPage), at least 1.
    static int pageCount(int rows);
    // "出力する住所録データがありません。" for an empty list, else empty.
    static QString checkRows(int rows);

    // Paints every page onto the device, which is set to A4 portrait without margins
    // (a printer must print the full page). `heading` names the list ("あ行", "検索結果").
    static void paint(QPagedPaintDevice& device, const QList<Row>& rows, const QString& heading,
                      const QDate& date);
    // Writes the list as a PDF file (atomically); empty on success, else the message.
    static QString exportPdf(const QString& path, const QList<Row>& rows, const QString& heading,
                             const QDate& date);

private:
    static void paintPage(QPainter& painter, const QList<Row>& rows, int page, int pages,
                          const QString& heading, const QDate& date);
};
