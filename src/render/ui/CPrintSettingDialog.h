#pragma once

#include "render/PrintSettings.h"

#include <QDialog>

class QCheckBox;
class QSpinBox;

// 印刷設定: the print offsets, the three print flags and the print start position. It
// gathers the values; PrintSettings checks and applies them.
class CPrintSettingDialog : public QDialog
{
    Q_OBJECT
public:
    CPrintSettingDialog(const PrintSettings::Values& values, int sheetsPerPage,
                        QWidget* parent = nullptr);

    PrintSettings::Values values() const;

    // Shows the dialog over the document's values and applies them on OK. Returns whether
    // they were applied.
    static bool run(QWidget* parent, class CORINOTEDoc& doc);

    void accept() override;

private:
    void framesToggled(bool on);

    int mSheetsPerPage;
    QSpinBox* mOffsetX;
    QSpinBox* mOffsetY;
    QCheckBox* mFrames;
    QCheckBox* mRound;
    QCheckBox* mRuled;
    QSpinBox* mStart;
};
