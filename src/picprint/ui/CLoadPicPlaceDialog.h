#pragma once

#include "picprint/PicturePlacement.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QRadioButton;

// "画像印刷オプション": where the pictures go (the sheet frames or the "画像(A)"
// regions) and whether the pages keep what they hold. It only gathers the values.
class CLoadPicPlaceDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CLoadPicPlaceDialog(QWidget* parent = nullptr);

    PicturePlacement::Options options() const;
    void setOptions(const PicturePlacement::Options& options);

    // Runs the dialog; nothing when it is cancelled.
    static std::optional<PicturePlacement::Options> ask(QWidget* parent);

private:
    QRadioButton* mSheets;
    QRadioButton* mRegions;
    QCheckBox* mKeep;
};
