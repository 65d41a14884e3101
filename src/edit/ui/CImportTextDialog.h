#pragma once

#include <QDialog>

#include <functional>

class GuideFrameEdit;
class QTimer;

// "文字列の読み込み": one line per selected text region in a multi-line edit, each with a
// red frame telling how much text fits its region. The frames follow every change of the
// text and are redrawn once a second.
class CImportTextDialog : public QDialog
{
    Q_OBJECT
public:
    // `slack` gives, for a text, the frames' counts of spaces (one per framed line).
    CImportTextDialog(const QString& text, std::function<QList<int>(const QString&)> slack,
                      QWidget* parent = nullptr);

    QString text() const;
    GuideFrameEdit* edit() const { return mEdit; }

private:
    void refreshFrames();

    std::function<QList<int>(const QString&)> mSlack;
    GuideFrameEdit* mEdit;
    QTimer* mTimer;
};
