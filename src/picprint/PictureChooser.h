#pragma once

#include "PicturePlacement.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the picture chooser "画像印刷" works on: a current folder, the sorted list of its
// subfolders (shown in square brackets, "[..]" for the folder above) and picture files,
// and the ordered list of chosen pictures, in which the same file may appear more than
// once. The dialog shows these lists and passes the user's selections in by row.
class PictureChooser
{
public:
    // The patterns of the listed files, matched without regard to case.
    static QStringList patterns();

    // Lists `folder` (an absolute path); a folder that cannot be read lists nothing.
    void setFolder(const QString& folder);
    QString folder() const { return mFolder; }

    // The folder list as shown, sorted without regard to case.
    const QStringList& entries() const { return mEntries; }
    bool isFolderEntry(int row) const;
    // The rows of the file entries (what "すべて選択" selects).
    QList<int> fileRows() const;
    // The full path of an entry in the current folder (the brackets of a folder removed).
    QString pathOf(int row) const;

    // A double click with exactly this row selected: a folder entry is entered, and the
    // list is read again either way.
    void activate(int row);

    // "⇒": the given rows of the folder list, in list order, appended to the chosen
    // pictures with their listed names and full paths.
    void append(QList<int> rows);
    // "リストから削除": the given rows of the chosen pictures removed. False when none is
    // given (the dialog then asks to select some).
    bool remove(const QList<int>& rows);
    // "すべてクリア".
    void clear() { mChosen.clear(); }

    const QList<PicturePlacement::Picture>& chosen() const { return mChosen; }

private:
    QString mFolder;
    QStringList mEntries;
    QList<PicturePlacement::Picture> mChosen;
};
