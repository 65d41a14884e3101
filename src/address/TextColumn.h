#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// One text column of an address group, packed: the UTF-16 text of every entry back to
// back in one buffer, with each entry's end offset. An address book of 100,000 records
// has millions of short or empty fields; one QString per field would cost several times
// the file's size in headers and slots.
//
// Appending is amortised constant time; changing or removing an entry in the middle
// moves the text after it, which is fine at the sizes of a group.
class TextColumn
{
public:
    int size() const { return int(mEnds.size()); }
    bool isEmpty() const { return mEnds.isEmpty(); }

    // The entry's text; empty for an index outside the column.
    QStringView view(int i) const;
    QString at(int i) const { return view(i).toString(); }

    void append(QStringView text);
    void set(int i, QStringView text);
    void removeAt(int i);
    // Cuts the column or pads it with empty entries.
    void resize(int n);
    void clear();
    void reserve(int entries, qsizetype characters);

    QStringList toList() const;
    static TextColumn fromList(const QStringList& list);

    bool operator==(const TextColumn& o) const;
    bool operator!=(const TextColumn& o) const { return !(*this == o); }

private:
    qsizetype start(int i) const { return i == 0 ? 0 : mEnds.at(i - 1); }

    QString mText;
    QList<qsizetype> mEnds;
};
