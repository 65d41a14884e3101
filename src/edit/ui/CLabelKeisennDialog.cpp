#include "CLabelKeisennDialog.h"

#include "ColorChooser.h"

#include <QFormLayout>
#include <QSpinBox>

CLabelKeisennDialog::CLabelKeisennDialog(const PositionEdit& lines, const QList<int>& selected,
                                         QWidget* parent)
    : PositionDialog(lines,
                     {tr("No."), tr("始点X座標"), tr("始点Y座標"), tr("終点X座標"),
                      tr("終点Y座標")},
                     parent)
{
    setWindowTitle(tr("罫線"));
    setObjectName(QStringLiteral("LabelKeisennDialog"));
    mX1 = addField(tr("始点X座標："));
    mY1 = addField(tr("始点Y座標："));
    mX2 = addField(tr("終点X座標："));
    mY2 = addField(tr("終点Y座標："));
    mColor = new ColorChooser(0, this);
    form()->addRow(tr("罫線の色："), mColor);
    mWidth = addField(tr("罫線の太さ（単位0.1mm）："));
    mWidth->setObjectName(QStringLiteral("width"));
    mWidth->setValue(1);
    fillRows();
    selectRows(selected);
}

void CLabelKeisennDialog::setColor(qint32 color)
{
    mColor->setColor(color);
}

QStringList CLabelKeisennDialog::rowTexts(int row) const
{
    const Keisenn k = mEdit.lines().value(row);
    return {QString::number(row + 1), QString::number(k.start.x),
            QString::number(-qint64(k.start.y)), QString::number(k.end.x),
            QString::number(-qint64(k.end.y))};
}

void CLabelKeisennDialog::showRow(int row)
{
    const Keisenn k = mEdit.lines().value(row);
    mX1->setValue(k.start.x);
    mY1->setValue(int(-qint64(k.start.y)));
    mX2->setValue(k.end.x);
    mY2->setValue(int(-qint64(k.end.y)));
    mWidth->setValue(k.width);
    setColor(k.color);
}

QString CLabelKeisennDialog::store(const QList<int>& rows)
{
    if (rows.isEmpty())
        return tr("変更するデータを選択してください。");
    if (rows.size() > 1) {
        if (!ask(tr("複数の罫線が選択されています。罫線の色と太さのみ変更しますが、よろしいですか？")))
            return QString();
        return mEdit.changeLineStyle(rows, mWidth->value(), mColor->color());
    }
    return mEdit.changeLine(rows.first(), mX1->value(), mY1->value(), mX2->value(), mY2->value(),
                            mWidth->value(), mColor->color());
}
