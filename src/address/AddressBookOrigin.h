#pragma once

#include "AddressBook.h"

#include <QString>

// Where the document's address book was last saved or read from, and what it held then,
// so that a question before the book would be lost can say how many records were
// changed since and name the file they belong to.
//
// The book belongs either to the document (no path: saving the document saves it) or to
// an address book file (.ona) it was read from or saved to; the window title, the save
// questions and 上書き保存 of the address book window name that file.
class AddressBookOrigin
{
public:
    // The address book file, empty when the book belongs to the document.
    QString path() const { return mPath; }
    // The file's name, or empty.
    QString fileName() const;

    // The book as it now stands is saved (or was just read): from the given file, or as
    // part of the document when the path is empty.
    void reset(const AddressBook& saved, const QString& path = QString());
    // The book holds nothing saved anywhere (restored from a copy): every record counts
    // as changed, and it belongs to the document again.
    void forget();

    // The records of `now` that are not as they were saved: added, changed (any text
    // column, the reservation or its history rows) or removed. Records are matched within
    // their group by entry number, in stored order where the same number repeats.
    int unsavedChanges(const AddressBook& now) const { return changedRecords(mSaved, now); }
    static int changedRecords(const AddressBook& before, const AddressBook& after);

    // The number of records in every group.
    static int recordCount(const AddressBook& book);

private:
    QString mPath;
    AddressBook mSaved;
};
