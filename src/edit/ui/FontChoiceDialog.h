#pragma once

#include "edit/TextAttributes.h"

#include <QDialog>

class QComboBox;
class QListWidget;
class FontSamplePreview;

// The font dialog of a text region: the installed families that can show Japanese, each
// also as its "@" face for vertical writing, the four ＭＳ names first (they resolve to
// the IPA faces); the style and the size in points; a sample in the chosen face and
// direction.
//
// It opens on the region's own face (a face that is not installed is listed first, marked
// so, and kept as it is when chosen), its style (a weight of 600 or more is 太字; the
// weight is kept exactly unless the style is changed) and its size (any whole number of
// points can be typed).
class FontChoiceDialog : public QDialog
{
    Q_OBJECT
public:
    FontChoiceDialog(const FontRecord& current, int points, QWidget* parent = nullptr);

    TextAttributes::FontChoice choice() const;

    // The faces offered, in their order.
    static QStringList faces();

private:
    void refresh();

    int mWeight;     // the region's weight, kept while the style is not changed
    int mStyleShown; // the style the dialog opened with
    QListWidget* mFaces;
    QComboBox* mStyle;
    QComboBox* mSize;
    FontSamplePreview* mPreview;
};
