#pragma once

#include <QDialog>

class QLineEdit;

// "検索・置換": a modeless window with the text to find and its replacement. Its buttons
// only notify the owner, which searches the regions.
class CFindReplaceTextDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CFindReplaceTextDialog(QWidget* parent = nullptr);

    QString findText() const;
    QString replacement() const;
    void setTexts(const QString& find, const QString& replacement);

signals:
    void findNextRequested();
    void replaceRequested();
    void replaceAllRequested();
    void closeRequested();

protected:
    void reject() override;

private:
    QLineEdit* mFind;
    QLineEdit* mReplace;
};
