#pragma once

#include <QString>

class CORINOTEDoc;
class TextMeasurer;

// Find and replace over the texts of the regions being edited (the template's in
// template mode, the data-mode layout's otherwise), in index order, without wrapping.
// The position is the region found last (-1 for none); finding selects the region.
class FindReplace
{
public:
    int position() const { return mPosition; }
    void reset() { mPosition = -1; }

    // The next region after the position whose text contains `find` (an empty text
    // matches every region). False, with the position back at -1, when there is none.
    bool findNext(CORINOTEDoc& doc, const QString& find);
    // Replaces in the region found (after one undo snapshot), fits it as the overflow
    // setting of the mode asks, then finds the next. False when there is no next.
    bool replace(CORINOTEDoc& doc, const QString& find, const QString& replacement,
                 const TextMeasurer* measurer);
    // Replaces in every region from the position on (one undo snapshot); returns how
    // many regions were changed.
    int replaceAll(CORINOTEDoc& doc, const QString& find, const QString& replacement,
                   const TextMeasurer* measurer);

    // "指定された文字列が見つかりませんでした。", "%d個のアイテムを置換しました。".
    static QString notFound();
    static QString replaced(int count);

private:
    // Moves the position to the next match and selects it, without redrawing.
    bool advance(CORINOTEDoc& doc, const QString& find);
    bool replaceAt(CORINOTEDoc& doc, const QString& find, const QString& replacement,
                   const TextMeasurer* measurer);

    int mPosition = -1;
};
