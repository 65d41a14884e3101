#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class AddressBook;
class CORINOTEDoc;

// Copies of address books that were about to be lost, kept in the folder "recovery" of
// the data folder: whenever a book with unsaved records is given up (a new or another
// document, quitting without saving, another address book file opened over it, an old
// copy restored over it), it is written there first, and 住所録 → 以前の住所録を復元
// brings any of the last ten back.
//
// The copies are ordinary address book files (.ona) named for their time and record
// count, so a user can also open them by hand.
class AddressBookRecovery
{
public:
    static constexpr int KeptCopies = 10;

    struct Copy
    {
        QString path;
        QDateTime time;
        int records = 0;
    };

    // The folder of the copies (and of the automatic saves).
    static QString folder(const QString& dataFolder);

    // Writes a copy of the book taken at `when`, then removes the oldest copies beyond
    // KeptCopies. Returns an empty string, or the message for the user when the copy
    // could not be written (nothing is kept without a data folder).
    static QString keep(const QString& dataFolder, const AddressBook& book, const QDateTime& when);
    // Keeps a copy of the document's book when it holds unsaved records; returns as keep().
    static QString keepUnsaved(const CORINOTEDoc& doc);

    // The copies, newest first.
    static QList<Copy> copies(const QString& dataFolder);
    // A copy as the list shows it: "2026/12/09 14:05　6件".
    static QString label(const Copy& copy);

    // Replaces the document's book by the copy (after keeping the book being replaced when
    // it holds unsaved records), as opening an address book file does, except that the
    // book then belongs to the document and every record counts as unsaved. Returns an
    // empty string or the message for the user.
    static QString restore(CORINOTEDoc& doc, const Copy& copy);
};
