#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class AddressBook;
struct AddressRecordRef;

// What the address book window's detail panel shows for the one selected record: a text
// of labelled fields over the record's picture.
class AddressDetail
{
public:
    // The detail text of a record from its 47 list texts (in list column order): labelled
    // fields such as "【登録番号】　KA-1　【氏名】　…", lines joined by "\r\n", the three
    // address lines of home and company under each other. Missing texts are empty.
    static QString text(const QStringList& listTexts);
    // The same for a record of the book, with the age as stored.
    static QString text(const AddressBook& book, const AddressRecordRef& ref);
    // The record's "画像" column.
    static QString picturePath(const AddressBook& book, const AddressRecordRef& ref);

    // Where a picture of the given size is drawn in a panel: a picture wider or taller than
    // the panel is scaled, keeping its proportions, to the largest size that fits; a smaller
    // one keeps its own size. Either way it is centred.
    static QRectF pictureRect(const QSizeF& panel, const QSizeF& picture);
};
