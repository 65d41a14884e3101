#include "CPageToolBar.h"

#include "ToolBarBuilder.h"

#include "app/StatusTexts.h"

#include <QLabel>

CPageToolBar::CPageToolBar(const CommandActions& actions, QWidget* parent)
    : QToolBar(tr("ページ"), parent)
{
    setObjectName(QStringLiteral("PageToolBar"));
    setMovable(false);
    setIconSize(QSize(16, 16));
    ToolBarBuilder::fillPageToolBar(this, actions);

    // Some room between the last button and the indicator.
    auto* gap = new QWidget(this);
    gap->setFixedWidth(16);
    addWidget(gap);
    mIndicator = new QLabel(this);
    mIndicator->setObjectName(QStringLiteral("PageIndicator"));
    // Blue on an opaque white ground, in a fixed-pitch font so the padded numbers line up.
    mIndicator->setStyleSheet(
        QStringLiteral("QLabel { color: blue; background-color: white; font-family: monospace; }"));
    addWidget(mIndicator);
    setPage(1, 1);
}

void CPageToolBar::setPage(int current, int count)
{
    const QString text = StatusTexts::pageIndicator(current, count);
    if (text != mIndicator->text())
        mIndicator->setText(text);
}

QString CPageToolBar::indicatorText() const
{
    return mIndicator->text();
}
