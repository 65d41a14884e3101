#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>

// The list of one family on a template page: "No." (the 1-based row) and right-aligned
// numbers read from the page's copy on demand, so that a long list costs nothing until
// its rows are shown.
class SetupListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // `count` gives the number of rows; `cell(row, column)` the number of a column after
    // "No." (column 1 is the first of `headers` after "No.").
    SetupListModel(QStringList headers, std::function<int()> count,
                   std::function<qint64(int row, int column)> cell, QObject* parent = nullptr);

    // The copy changed: the rows are read again.
    void refresh();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList mHeaders;
    std::function<int()> mCount;
    std::function<qint64(int, int)> mCell;
    int mRows = 0;
};
