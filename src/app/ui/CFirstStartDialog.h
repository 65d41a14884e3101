#pragma once

#include <QDialog>
#include <QList>

class QToolButton;

// The first start's question "何を印刷しますか？": a button with a picture of each bundled
// template FirstStart offers (a miniature of its paper, sheets and regions), and one that
// keeps the blank A4 page. A template missing from the installation shows no button.
class CFirstStartDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CFirstStartDialog(QWidget* parent = nullptr);

    // The template file chosen; empty for the blank page or when closed.
    QString chosenTemplate() const { return mChosen; }
    const QList<QToolButton*>& choiceButtons() const { return mButtons; }

    // Asks, records the answer in the profile's terms through FirstStart and returns the
    // template chosen (empty: none).
    static QString ask(QWidget* parent);

private:
    QString mChosen;
    QList<QToolButton*> mButtons;
};
