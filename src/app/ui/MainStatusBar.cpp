#include "MainStatusBar.h"

#include "app/StatusTexts.h"

#include <QLabel>

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent)
{
    mReady = new QLabel(StatusTexts::ready(), this);
    addWidget(mReady, 1);
    mCursor = addPane(StatusTexts::cursorPaneSample(), StatusTexts::cursor(std::nullopt));
    mSelection = addPane(StatusTexts::selectionPaneSample(), StatusTexts::selection(std::nullopt));
    mTemplate = addPane(StatusTexts::templatePaneSample(), QString());
}

QLabel* MainStatusBar::addPane(const QString& sample, const QString& text)
{
    auto* pane = new QLabel(text, this);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    const int margins = pane->contentsMargins().left() + pane->contentsMargins().right() + 8;
    pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(sample) + margins);
    addPermanentWidget(pane);
    return pane;
}

void MainStatusBar::setCursorText(const QString& text)
{
    mCursor->setText(text);
}

void MainStatusBar::setSelectionText(const QString& text)
{
    mSelection->setText(text);
}

void MainStatusBar::setTemplateName(const QString& text)
{
    mTemplate->setText(text);
}

QString MainStatusBar::readyText() const
{
    return mReady->text();
}

QString MainStatusBar::cursorText() const
{
    return mCursor->text();
}

QString MainStatusBar::selectionText() const
{
    return mSelection->text();
}

QString MainStatusBar::templateName() const
{
    return mTemplate->text();
}
