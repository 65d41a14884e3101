#pragma once

#include "model/AutoReplaceRule.h"

#include <QAbstractTableModel>
#include <QList>

class CAutoReplaceData;

// The rules list of 自動処理設定 as a table over the rules themselves: a check box column
// that shows and sets each rule's `enabled`, then 属性, 検索文字列, 検索条件（以上）,
// 検索条件（以下）, 置換文字列, 文字列の色, 背景色, 背景画像 and NotFound文字列. The
// colour columns show "そのまま" when the colour is kept, else "R:%d, G:%d, B:%d".
//
// Every change goes through the model so that views follow it; the rules must outlive
// the model.
class AutoReplaceTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        EnabledColumn,
        AttributeColumn,
        SearchColumn,
        AtLeastColumn,
        AtMostColumn,
        ReplacementColumn,
        TextColorColumn,
        BackColorColumn,
        BackPictureColumn,
        NotFoundColumn,
        ColumnCount
    };

    explicit AutoReplaceTableModel(CAutoReplaceData* rules, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    AutoReplaceRule rule(int row) const;
    // Appends the rule enabled.
    void appendRule(AutoReplaceRule rule);
    void replaceRule(int row, const AutoReplaceRule& rule);
    void removeRules(const QList<int>& rows);
    void setEnabled(const QList<int>& rows, bool enabled);

    // The text a colour column shows.
    static QString colorText(qint32 color, qint32 keep);
    // The column widths of the list, in pixels.
    static int columnWidth(int column);

private:
    CAutoReplaceData* mRules;
};
