#pragma once

#include "app/SoftwareSettings.h"
#include "edit/ui/RangeCheckedDialog.h"


#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// 環境設定 (command 185): the default sheet template file, and the settings for text
// that does not fit its region in template and in data mode, the sizing of new regions,
// kanji numerals in vertical fonts, regions fitted to their pictures, the history
// question after printing and the number of undo steps. It shows the
// values it is given and hands back what the user set; the caller applies them on OK.
// A number of undo steps out of range is refused on OK.
class CSoftwareSettingDialog : public RangeCheckedDialog
{
    Q_OBJECT
public:
    explicit CSoftwareSettingDialog(const SoftwareSettings& values, QWidget* parent = nullptr);

    SoftwareSettings values() const;

    // Command 185: shows the dialog over the document's values and, on OK, stores them
    // in the document and the settings profile. Returns whether OK was pressed.
    static bool run(QWidget* parent, CORINOTEDoc& doc);

    QLineEdit* templateEdit() const { return mTemplate; }

private:
    void chooseTemplate();

    QLineEdit* mTemplate;
    QCheckBox* mSizeNewRegions;
    std::array<QRadioButton*, 3> mFitTemplate;
    QCheckBox* mKanjiNumerals;
    QComboBox* mNumeralStyle;
    QCheckBox* mNumeralDashes;
    QCheckBox* mPictureAspect;
    std::array<QRadioButton*, 4> mFitData;
    QCheckBox* mHonorificSama;
    QCheckBox* mMoveByReading;
    QCheckBox* mAskSentHistory;
    QSpinBox* mUndoDepth;
};
