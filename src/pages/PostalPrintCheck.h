#pragma once

#include <QList>
#include <QString>

class CORINOTEDoc;

// The check before printing or writing a PDF: the records of the record list whose postal
// code the template prints in digit boxes but which would print blank boxes (a code not in
// the form "NNN-NNNN", or none at all), and those whose customer barcode the template
// prints but which get none. The job goes on when the user agrees; nothing is changed here.
class PostalPrintCheck
{
public:
    struct Problem
    {
        int record = -1; // in the record list
        QString entryNumber;
        QString name;
        QString code;         // as stored
        bool company = false; // the company postal code (会社郵便番号)
        // No customer barcode can be made for the record (バーコード(R)); `reason` says why.
        bool barcode = false;
        QString reason;
        // A barcode region of the template too small for the barcode at 8 points (its index
        // among the template's regions; `record` is -1 then); -1 for a record's problem.
        int region = -1;
    };

    // The postal code columns (CAddressData::PostalCode, CompanyPostalCode) that the
    // template's regions print for the recipient, through 郵便番号(R), 郵1(R)…郵7(R) or the
    // company fields. Empty when the template prints no recipient postal code.
    static QList<int> printedColumns(const CORINOTEDoc& doc);

    // The records of the record list, in print order, whose printed codes do not fill the
    // boxes, and, where the template prints the recipient's customer barcode, those for
    // which none can be made (a record named for its code already is not named again);
    // the blank records before the print start position are not records. Before them,
    // the template's barcode regions too small for a barcode of 8 points.
    static QList<Problem> problems(const CORINOTEDoc& doc);

    // "山田 太郎（164-001）", "山田 太郎（郵便番号なし）", "会社郵便番号" for the company
    // code; the entry number stands for a record without a name.
    static QString describe(const Problem& problem);

    // The number of records named (a record with both codes wrong counts once; regions
    // are no records).
    static int recordCount(const QList<Problem>& problems);

    // "郵便番号が正しくない宛先が3件あります。このまま印刷しますか？" followed by the names
    // (the first `shown`, then "ほか12件"); empty without problems.
    static QString question(const QList<Problem>& problems, int shown = 20);

    // The same list for standard error: the count, then one name a line; empty without
    // problems.
    static QString warning(const QList<Problem>& problems);
};
