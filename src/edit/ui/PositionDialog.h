#pragma once

#include "edit/PositionEdit.h"

#include <QDialog>

#include <functional>

class QFormLayout;
class QSpinBox;
class QStandardItemModel;
class QTableView;

// The position and size dialogs: a list of every object of one kind and the fields of
// the selected row; "変更" stores the fields into a copy of the list, OK hands the copy
// to the caller, Cancel drops it. The subclasses give the fields and columns.
class PositionDialog : public QDialog
{
    Q_OBJECT
public:
    // How the dialog shows a message and asks an OK/Cancel question (message boxes by
    // default; tests answer them).
    std::function<void(const QString&)> showMessage;
    std::function<bool(const QString&)> ask;

    const PositionEdit& edit() const { return mEdit; }
    // Selects the rows (the dialog's list and fields follow).
    void selectRows(const QList<int>& rows);
    // "変更"; false when the values were refused (the message shown).
    bool change();
    // OK: a value typed but not yet stored with 変更 is stored first, with the same checks
    // (a refusal keeps the dialog open), so that nothing typed is dropped.
    void accept() override;

protected:
    PositionDialog(const PositionEdit& edit, const QStringList& columns, QWidget* parent);

    // A field of the form, with a wide range so that a value out of the object's range
    // can be typed and is refused by the check.
    QSpinBox* addField(const QString& label);
    QFormLayout* form() const { return mForm; }
    QList<int> selectedRows() const;
    // Fills the list; the subclass calls it once its fields exist (the rows' texts come
    // from it).
    void fillRows();
    void refreshRow(int row);

    virtual QStringList rowTexts(int row) const = 0;
    virtual void showRow(int row) = 0;
    // Stores the fields into the copy for the selected rows; a message on refusal.
    virtual QString store(const QList<int>& rows) = 0;
    // Checked on OK; a message keeps the dialog open.
    virtual QString checkOnOk() { return QString(); }

    PositionEdit mEdit;

private:
    void rowsChanged();

    // A field was typed into since the selected row was shown or stored: OK stores it.
    bool mPending = false;
    QTableView* mList;
    QStandardItemModel* mModel;
    QFormLayout* mForm;
};
