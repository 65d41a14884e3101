#pragma once

#include "picprint/PicturePlacement.h"

#include <QAbstractTableModel>

// The chosen pictures as the chooser's report list shows them: "No." (1-based position)
// and "ファイル" (the name as listed).
class ChosenPicturesModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ChosenPicturesModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setPictures(const QList<PicturePlacement::Picture>& pictures);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<PicturePlacement::Picture> mPictures;
};
