#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include <array>

class CORINOTEDoc;

// The region list of the data-mode form: one row per data-mode text region, columns
// "No." (position + 1), "文字列" (its text), "レイヤー", "シート" (its sheet number) and
// "ページ" (the page it lies on). Each row carries the kind of its icon: a picture when
// the region has a background picture, a colour when it has a background colour that is
// drawn and not white, plain otherwise.
class RegionListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        NumberColumn,
        TextColumn,
        LayerColumn,
        SheetColumn,
        PageColumn,
        ColumnCount
    };
    enum IconKind
    {
        PlainIcon,
        ColorIcon,
        PictureIcon
    };
    // The role that gives a row's IconKind.
    static constexpr int IconKindRole = Qt::UserRole + 1;

    explicit RegionListModel(const CORINOTEDoc& doc, QObject* parent = nullptr);

    // The icons shown for the three kinds (none by default).
    void setIcons(const std::array<QIcon, 3>& icons) { mIcons = icons; }

    // Reads the document again: every row rebuilt.
    void reload();
    // The document's regions changed in place (texts only, no rows added or removed).
    void refreshRows();

    static IconKind iconKind(const CORINOTEDoc& doc, int index);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const CORINOTEDoc& mDoc;
    std::array<QIcon, 3> mIcons;
    int mRows = 0;
};
