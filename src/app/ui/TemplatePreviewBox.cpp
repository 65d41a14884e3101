#include "TemplatePreviewBox.h"

#include "app/TemplatePreview.h"

#include <QPainter>

TemplatePreviewBox::TemplatePreviewBox(const TemplatePreview& preview, QWidget* parent)
    : QWidget(parent), mPreview(preview)
{
    // 132 × 180 dialog units at the usual dialog font.
    setFixedSize(198, 293);
}

void TemplatePreviewBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    mPreview.paint(painter, rect());
}
