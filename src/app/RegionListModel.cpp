#include "RegionListModel.h"

#include "DataFormEditor.h"

#include "model/CORINOTEDoc.h"

RegionListModel::RegionListModel(const CORINOTEDoc& doc, QObject* parent)
    : QAbstractTableModel(parent), mDoc(doc)
{
    mRows = mDoc.textRects().size();
}

void RegionListModel::reload()
{
    beginResetModel();
    mRows = mDoc.textRects().size();
    endResetModel();
}

void RegionListModel::refreshRows()
{
    if (mRows != mDoc.textRects().size()) {
        reload();
        return;
    }
    if (mRows > 0)
        emit dataChanged(index(0, 0), index(mRows - 1, ColumnCount - 1));
}

RegionListModel::IconKind RegionListModel::iconKind(const CORINOTEDoc& doc, int i)
{
    const TextRectFamily& r = doc.textRects();
    if (!r.backPicture(i).isEmpty())
        return PictureIcon;
    if (r.backColorOff(i) == 0 && r.backColor(i) != 0xFFFFFF)
        return ColorIcon;
    return PlainIcon;
}

int RegionListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : mRows;
}

int RegionListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RegionListModel::data(const QModelIndex& index, int role) const
{
    const int row = index.row();
    if (!index.isValid() || row >= mRows || row >= mDoc.textRects().size())
        return QVariant();
    const TextRectFamily& r = mDoc.textRects();
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NumberColumn:
            return QString::number(row + 1);
        case TextColumn:
            return r.text(row);
        case LayerColumn:
            return QString::number(r.layer(row));
        case SheetColumn:
            return QString::number(r.sheetNo(row));
        case PageColumn:
            return QString::number(DataFormEditor::pageOfRegion(mDoc, row));
        }
        break;
    case Qt::DecorationRole:
        if (index.column() == NumberColumn)
            return mIcons[size_t(iconKind(mDoc, row))];
        break;
    case IconKindRole:
        return int(iconKind(mDoc, row));
    case Qt::TextAlignmentRole:
        if (index.column() >= LayerColumn)
            return int(Qt::AlignCenter);
        break;
    }
    return QVariant();
}

QVariant RegionListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case NumberColumn:
        return tr("No.");
    case TextColumn:
        return tr("文字列");
    case LayerColumn:
        return tr("レイヤー");
    case SheetColumn:
        return tr("シート");
    case PageColumn:
        return tr("ページ");
    }
    return QVariant();
}
