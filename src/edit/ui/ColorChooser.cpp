#include "ColorChooser.h"

#include "render/RenderSupport.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>

ColorChooser::ColorChooser(qint32 color, QWidget* parent) : QWidget(parent), mColor(color)
{
    mSwatch = new QToolButton(this);
    mSwatch->setEnabled(false);
    mSwatch->setFixedSize(40, 20);
    auto* change = new QPushButton(tr("色の変更"), this);
    connect(change, &QPushButton::clicked, this, &ColorChooser::choose);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(mSwatch);
    row->addWidget(change);
    row->addStretch();
    setColor(color);
}

qint32 ColorChooser::colorRef(const QColor& c)
{
    return qint32(c.red() | (c.green() << 8) | (c.blue() << 16));
}

void ColorChooser::setColor(qint32 color)
{
    mColor = color;
    mSwatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;")
                               .arg(RenderSupport::color(color).name()));
    emit colorChanged(color);
}

void ColorChooser::choose()
{
    const QColor c = QColorDialog::getColor(RenderSupport::color(mColor), this);
    if (c.isValid())
        setColor(colorRef(c));
}
