#include "CLabelKeisennDialog.h"

#include "render/RenderSupport.h"

#include <QColorDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

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
    mSwatch = new QToolButton(this);
    mSwatch->setEnabled(false);
    mSwatch->setFixedSize(40, 20);
    auto* changeColor = new QPushButton(tr("色の変更"), this);
    connect(changeColor, &QPushButton::clicked, this, &CLabelKeisennDialog::chooseColor);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(mSwatch);
    colorRow->addWidget(changeColor);
    form()->addRow(tr("罫線の色："), colorRow);
    mWidth = addField(tr("罫線の太さ（単位0.1mm）："));
    mWidth->setObjectName(QStringLiteral("width"));
    mWidth->setValue(1);
    setColor(0);
    fillRows();
    selectRows(selected);
}

void CLabelKeisennDialog::setColor(qint32 color)
{
    mColor = color;
    mSwatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;")
                               .arg(RenderSupport::color(color).name()));
}

void CLabelKeisennDialog::chooseColor()
{
    const QColor c = QColorDialog::getColor(RenderSupport::color(mColor), this);
    if (c.isValid())
        setColor(qint32(c.red() | (c.green() << 8) | (c.blue() << 16)));
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
        return mEdit.changeLineStyle(rows, mWidth->value(), mColor);
    }
    return mEdit.changeLine(rows.first(), mX1->value(), mY1->value(), mX2->value(), mY2->value(),
                            mWidth->value(), mColor);
}
