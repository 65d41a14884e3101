#include "RectPositionDialog.h"

#include <QSpinBox>

RectPositionDialog::RectPositionDialog(const PositionEdit& rects, QWidget* parent)
    : PositionDialog(rects, {tr("No."), tr("X座標"), tr("Y座標"), tr("高さ"), tr("幅")}, parent)
{
}

void RectPositionDialog::addRectFields()
{
    mX = addField(tr("X座標："));
    mY = addField(tr("Y座標："));
    mHeight = addField(tr("高さ："));
    mWidth = addField(tr("幅："));
    mX->setObjectName(QStringLiteral("x"));
    mY->setObjectName(QStringLiteral("y"));
    mHeight->setObjectName(QStringLiteral("height"));
    mWidth->setObjectName(QStringLiteral("width"));
    mHeight->setValue(100);
    mWidth->setValue(100);
}

QStringList RectPositionDialog::rowTexts(int row) const
{
    const Rect r = mEdit.rects().value(row);
    return {QString::number(row + 1), QString::number(r.left), QString::number(-qint64(r.top)),
            QString::number(r.height()), QString::number(r.width())};
}

void RectPositionDialog::showRow(int row)
{
    const Rect r = mEdit.rects().value(row);
    mX->setValue(r.left);
    mY->setValue(int(-qint64(r.top)));
    mHeight->setValue(int(r.height()));
    mWidth->setValue(int(r.width()));
}

QString RectPositionDialog::store(const QList<int>& rows)
{
    // With no row, or more than one, the rectangle dialogs do nothing.
    if (rows.size() != 1)
        return QString();
    return mEdit.changeRect(rows.first(), mX->value(), mY->value(), mHeight->value(),
                            mWidth->value());
}
