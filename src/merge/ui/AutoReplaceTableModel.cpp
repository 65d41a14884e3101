#include "AutoReplaceTableModel.h"

#include "model/CAutoReplaceData.h"

AutoReplaceTableModel::AutoReplaceTableModel(CAutoReplaceData* rules, QObject* parent)
    : QAbstractTableModel(parent), mRules(rules)
{
}

int AutoReplaceTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : mRules->count();
}

int AutoReplaceTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AutoReplaceTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= mRules->count())
        return QVariant();
    const AutoReplaceRule r = mRules->rule(index.row());
    if (index.column() == EnabledColumn) {
        if (role == Qt::CheckStateRole)
            return r.enabled == 1 ? Qt::Checked : Qt::Unchecked;
        return QVariant();
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    switch (index.column()) {
    case AttributeColumn:
        return r.attribute;
    case SearchColumn:
        return r.search;
    case AtLeastColumn:
        return r.atLeast;
    case AtMostColumn:
        return r.atMost;
    case ReplacementColumn:
        return r.replacement;
    case TextColorColumn:
        return colorText(r.textColor, r.keepTextColor);
    case BackColorColumn:
        return colorText(r.backColor, r.keepBackColor);
    case BackPictureColumn:
        return r.backPicture;
    case NotFoundColumn:
        return r.notFound;
    default:
        return QVariant();
    }
}

bool AutoReplaceTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != EnabledColumn || role != Qt::CheckStateRole)
        return false;
    mRules->setEnabled(index.row(), value.toInt() == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags AutoReplaceTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == EnabledColumn)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant AutoReplaceTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case EnabledColumn:
        return QString();
    case AttributeColumn:
        return tr("属性");
    case SearchColumn:
        return tr("検索文字列");
    case AtLeastColumn:
        return tr("検索条件（以上）");
    case AtMostColumn:
        return tr("検索条件（以下）");
    case ReplacementColumn:
        return tr("置換文字列");
    case TextColorColumn:
        return tr("文字列の色");
    case BackColorColumn:
        return tr("背景色");
    case BackPictureColumn:
        return tr("背景画像");
    case NotFoundColumn:
        return tr("一致しないときの文字列");
    default:
        return QVariant();
    }
}

AutoReplaceRule AutoReplaceTableModel::rule(int row) const
{
    return mRules->rule(row);
}

void AutoReplaceTableModel::appendRule(AutoReplaceRule rule)
{
    rule.enabled = 1;
    const int row = mRules->count();
    beginInsertRows(QModelIndex(), row, row);
    mRules->append(rule);
    endInsertRows();
}

void AutoReplaceTableModel::replaceRule(int row, const AutoReplaceRule& rule)
{
    if (row < 0 || row >= mRules->count())
        return;
    mRules->replace(row, rule);
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void AutoReplaceTableModel::removeRules(const QList<int>& rows)
{
    beginResetModel();
    mRules->remove(rows);
    endResetModel();
}

void AutoReplaceTableModel::setEnabled(const QList<int>& rows, bool enabled)
{
    for (int row : rows) {
        if (row < 0 || row >= mRules->count())
            continue;
        mRules->setEnabled(row, enabled);
        emit dataChanged(index(row, EnabledColumn), index(row, EnabledColumn),
                         {Qt::CheckStateRole});
    }
}

QString AutoReplaceTableModel::colorText(qint32 color, qint32 keep)
{
    if (keep != 0) // any non-zero flag keeps the colour, as applying the rule does
        return AutoReplaceRule::keep();
    return QStringLiteral("R:%1, G:%2, B:%3")
        .arg(color & 0xFF)
        .arg((color >> 8) & 0xFF)
        .arg((color >> 16) & 0xFF);
}

int AutoReplaceTableModel::columnWidth(int column)
{
    static const int widths[ColumnCount] = {25, 100, 200, 100, 100, 200, 120, 120, 250, 200};
    return column >= 0 && column < ColumnCount ? widths[column] : 100;
}
