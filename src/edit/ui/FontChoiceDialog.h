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
class FontChoiceDialog : public QDialog
{
    Q_OBJECT
public:
    FontChoiceDialog(const FontRecord& current, QWidget* parent = nullptr);

    TextAttributes::FontChoice choice() const;

    // The faces offered, in their order.
    static QStringList faces();

private:
    void refresh();

    QListWidget* mFaces;
    QComboBox* mStyle;
    QComboBox* mSize;
    FontSamplePreview* mPreview;
};
