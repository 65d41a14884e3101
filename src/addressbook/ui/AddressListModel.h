#pragma once

#include "addressbook/AddressListRows.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QIcon>

class CORINOTEDoc;

// The address list of the address book window: one row per record of the current tab,
// the 47 list columns, a 16×16 icon in the first column (plain, reserved, current
// sender). The texts are read from the document when a cell is painted, so filling a tab
// of ten thousand records costs no more than binding its rows.
//
// The document must outlive the model. After the groups change the owner calls refill().
class AddressListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit AddressListModel(CORINOTEDoc& doc, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Fills the list for a tab (ages recomputed for `today`).
    void refill(int tab, const QDate& today);
    // A header click: sorts in the shared direction unless the tab is 差出人.
    bool sortByHeaderClick(int column);

    const AddressListRows& rows() const { return mRows; }
    int tab() const { return mRows.tab(); }

    // The row icons, drawn once: plain, reserved for printing, current sender.
    static QIcon icon(AddressListRows::Icon kind);

private:
    CORINOTEDoc& mDoc;
    AddressListRows mRows;
};
