#include "ChosenPicturesModel.h"

void ChosenPicturesModel::setPictures(const QList<PicturePlacement::Picture>& pictures)
{
    beginResetModel();
    mPictures = pictures;
    endResetModel();
}

int ChosenPicturesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(mPictures.size());
}

int ChosenPicturesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant ChosenPicturesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= mPictures.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return index.column() == 0 ? QVariant(index.row() + 1)
                                   : QVariant(mPictures.at(index.row()).name);
    if (role == Qt::ToolTipRole)
        return mPictures.at(index.row()).path;
    return QVariant();
}

QVariant ChosenPicturesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    return section == 0 ? tr("No.") : tr("ファイル");
}
