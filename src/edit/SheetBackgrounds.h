#pragma once

#include <QList>
#include <QString>

class CORINOTEDoc;

// A copy of the sheets' backgrounds (the template's in template mode, the data-mode
// layout's otherwise), edited sheet by sheet in the sheet background dialog and written
// back in one step.
class SheetBackgrounds
{
public:
    struct Values
    {
        qint32 color = 0xFFFFFF;
        QString picture;
        int bleedX = 0; // -100..100
        int bleedY = 0;
        bool keepAspect = false;
        int transparency = 0; // 0..100
    };

    static SheetBackgrounds load(const CORINOTEDoc& doc);

    int count() const { return int(mSheets.size()); }
    Values at(int index) const { return mSheets.value(index); }
    // The sheet the dialog opens on: the current sheet, else the first.
    int startIndex() const { return mStart; }
    // Whether each sheet has a background of its own (else only the first is edited).
    bool perSheet() const { return mPerSheet; }

    // A sheet number typed in the dialog: 1..count, else "ラベル番号の値が正しくあり
    // ません。".
    QString checkNumber(qint64 number) const;
    // Stores the values of one sheet; an overhang outside −100..100 gives
    // "「シートの枠をはみ出す幅」を変更してください。" and a picture that cannot be read
    // gives PictureCheck's message; nothing is stored then.
    QString store(int index, const Values& values);
    // Writes every sheet's background into the document after one undo snapshot.
    void apply(CORINOTEDoc& doc) const;

private:
    QList<Values> mSheets;
    bool mTemplateMode = true;
    bool mPerSheet = true;
    int mStart = 0;
};
