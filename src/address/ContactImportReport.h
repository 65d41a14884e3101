#pragma once

#include <QString>
#include <QStringList>

// What an import of contacts (a vCard file or a contact CSV) read but could not keep as it
// was, so that the message after the import names it instead of losing it without a word:
// values without a free column, values cut or skipped for their length, birthdays without
// a year, and postal codes whose leading zero was put back.
//
// Each kind is counted in full; only the first MaxNamed items of each are kept by name,
// so a hostile file cannot grow the report beyond a few kilobytes.
class ContactImportReport
{
public:
    static constexpr int MaxNamed = 10;

    // A value with no free column: `who` the contact's name, `what` the value with its kind
    // ("電話 03-1234-5678").
    void addUnplaced(const QString& who, const QString& what);
    // A value longer than the reader keeps: skipped whole (a picture, an over-long line) or
    // cut to its first characters.
    void addSkipped(const QString& who, const QString& what);
    void addCut(const QString& who, const QString& what);
    // A postal code given back the leading zero a spreadsheet had dropped.
    void addRestoredCode(const QString& who, const QString& code);

    int unplacedCount() const { return mUnplaced.count; }
    int skippedCount() const { return mSkipped.count; }
    int cutCount() const { return mCut.count; }
    int restoredCodeCount() const { return mRestored.count; }
    bool isEmpty() const;

    // One line per kind, in Japanese, naming the first items:
    // "入りきらなかった項目 3件: 山田 太郎（電話 03-…）、…"; empty when there is nothing.
    QString message() const;

    void append(const ContactImportReport& other);

private:
    struct Kind
    {
        int count = 0;
        QStringList named;
        void add(const QString& who, const QString& what);
        QString line(const QString& title) const;
    };
    Kind mUnplaced, mSkipped, mCut, mRestored;
};
