#pragma once

#include <QWidget>

class QCheckBox;
class TemplateSetup;

// "印刷設定": the template's print options in the copy: sheet frames (and, only with
// them, rounded sheet corners) and ruled lines.
class CETCPropPage : public QWidget
{
    Q_OBJECT
public:
    explicit CETCPropPage(TemplateSetup& setup, QWidget* parent = nullptr);

    // Shows the copy's options.
    void reload();

    QCheckBox* framesBox() const { return mFrames; }
    QCheckBox* roundBox() const { return mRound; }
    QCheckBox* linesBox() const { return mLines; }

private:
    void edited();

    TemplateSetup& mSetup;
    QCheckBox* mFrames;
    QCheckBox* mRound;
    QCheckBox* mLines;
    bool mLoading = false;
};
