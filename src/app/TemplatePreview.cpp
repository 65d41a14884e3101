#include "TemplatePreview.h"

#include "model/TemplateFile.h"
#include "render/RenderSupport.h"

#include <QFileInfo>
#include <QPainter>

bool TemplatePreview::load(const QString& path)
{
    mTemplate.reset();
    if (!QFileInfo(path).isFile())
        return false;
    CLabelSheetTemplate t;
    if (!TemplateFile::read(t, path).isEmpty())
        return false;
    mTemplate = std::move(t);
    return true;
}

QString TemplatePreview::text() const
{
    return mTemplate ? mTemplate->summary() : CLabelSheetTemplate::emptySummary();
}

QTransform TemplatePreview::mapping(const Rect& paper, const QRectF& box)
{
    const bool large = paper.width() > 2100 || paper.height() > 2970;
    const qreal across = large ? 2970 : 2100;
    const qreal down = large ? 4200 : 2970;
    // x' = left + x / across × width; y' = top + (−y) / down × height.
    return QTransform(box.width() / across, 0, 0, -box.height() / down, box.left(), box.top());
}

void TemplatePreview::paint(QPainter& painter, const QRect& box) const
{
    painter.save();
    painter.setPen(Qt::black);
    painter.setBrush(QColor(128, 128, 128));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (!mTemplate) {
        painter.restore();
        return;
    }

    const QTransform m = mapping(mTemplate->paperRect, QRectF(box));
    const auto mapped = [&m](const Rect& r) {
        return m.mapRect(RenderSupport::rectF(r)).toAlignedRect();
    };
    painter.setClipRect(box);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(mapped(mTemplate->paperRect));

    painter.setPen(QPen(Qt::black, 0));
    for (const Rect& r : mTemplate->sheets.rect())
        painter.drawRect(mapped(r).adjusted(0, 0, -1, -1));

    painter.setPen(QPen(QColor(153, 153, 153), 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    for (const Rect& r : mTemplate->regions.rect())
        painter.drawRect(mapped(r).adjusted(0, 0, -1, -1));
    painter.restore();
}
