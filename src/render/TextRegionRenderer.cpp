#include "TextRegionRenderer.h"

#include "PictureCache.h"
#include "RenderSupport.h"
#include "TextShaper.h"

#include "model/TextRect.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <climits>
#include <cstdlib>

TextRegionRenderer::TextRegionRenderer(TextShaper& shaper, PictureCache& pictures)
    : mShaper(shaper), mPictures(pictures)
{
}

RegionLayout TextRegionRenderer::layout(const TextRect& region, const QString& text,
                                        const Context& context)
{
    const bool twoLines = context.templateMode || context.fitData == 3;
    const int spacing = region.charSpacing;
    mMeasured.clear();
    RegionLayout l = RegionLayout::compute(
        region.rect, region.font.orientation, region.alignment, text, twoLines,
        [&](const QString& t, int height) {
            mMeasured.append({t, height, mShaper.shape(t, region.font, height, spacing)});
            return mMeasured.last().line.extent(spacing);
        });
    if (region.squeezesLongText() &&
        !l.breakInTwo(region.rect, [&](const QString& t, int height) {
            mMeasured.append({t, height, mShaper.shape(t, region.font, height, spacing)});
            return mMeasured.last().line.extent(spacing);
        }))
        l.squeezeToSpan(region.rect);
    return l;
}

NameBlockLayout TextRegionRenderer::nameBlockLayout(const TextRect& region, const QString& text)
{
    const int spacing = region.charSpacing;
    const int maxHeight = int(std::min<qint64>(std::abs(qint64(region.font.height)), INT_MAX));
    mMeasured.clear();
    return NameBlockLayout::compute(
        region.rect, region.font.orientation, region.alignment, maxHeight,
        NameBlock::fromText(text), [&](const QString& t, int height) {
            mMeasured.append({t, height, mShaper.shape(t, region.font, height, spacing)});
            return mMeasured.last().line.extent(spacing);
        });
}

void TextRegionRenderer::drawNameBlock(QPainter& painter, const TextRect& region,
                                       const QString& text, const Context& context)
{
    painter.save();
    drawBackground(painter, region, context);
    drawFrame(painter, region);
    const NameBlockLayout l = nameBlockLayout(region, text);
    const QColor textColor = RenderSupport::color(region.textColor);
    const QColor outlineColor = RenderSupport::color(region.outlineColor);
    for (const NameBlockLayout::Piece& p : l.pieces) {
        const ShapedLine line = measuredLine(region, p.text, p.height);
        mLines.paint(painter, line, p.start, l.rotation, textColor, region.outlineWidth,
                     outlineColor);
    }
    painter.restore();
}

int TextRegionRenderer::draw(QPainter& painter, const TextRect& region, const QString& text,
                             const Context& context)
{
    painter.save();
    drawBackground(painter, region, context);
    drawFrame(painter, region);
    const RegionLayout l = layout(region, text, context);
    if (l.drawable())
        drawText(painter, region, l);
    painter.restore();
    return l.fontHeight;
}

void TextRegionRenderer::drawBox(QPainter& painter, const TextRect& region, const Context& context)
{
    drawBackground(painter, region, context);
    const BorderSides& s = region.borderSides;
    if (!s.top && !s.bottom && !s.left && !s.right)
        return;
    painter.save();
    drawFrame(painter, region);
    painter.restore();
}

void TextRegionRenderer::drawBackground(QPainter& painter, const TextRect& region,
                                        const Context& context)
{
    const QRectF r = RenderSupport::rectF(region.rect);
    const bool fill = region.backColorOff == 0;
    const bool picture = !region.backPicture.isEmpty();
    if (!fill && !picture)
        return;

    painter.save();
    if (region.elliptic) {
        QPainterPath ellipse;
        ellipse.addEllipse(r);
        painter.setClipPath(ellipse, Qt::IntersectClip);
    }
    if (fill)
        painter.fillRect(r, RenderSupport::color(region.backColor));
    if (picture && context.mode != RenderMode::Edit) {
        std::optional<QRgb> key;
        if (region.transparentColorOn)
            key = RenderSupport::color(region.transparentColor).rgb();
        const int transparency = qBound(0, int(region.pictureTransparency), 100);
        mPictures.draw(painter, r, region.backPicture, region.backPictureRotation,
                       (100 - transparency) / 100.0, key);
    }
    painter.restore();

    if (picture && context.mode == RenderMode::Edit) {
        RenderSupport::drawLabel(painter, QPointF(region.rect.left, region.rect.top),
                                 QStringLiteral("T%1 Pic").arg(context.number),
                                 QColor(0x99, 0x99, 0x99));
    }
}

void TextRegionRenderer::drawFrame(QPainter& painter, const TextRect& region)
{
    const BorderSides& s = region.borderSides;
    if (!s.top && !s.bottom && !s.left && !s.right)
        return;
    painter.setPen(
        RenderSupport::pen(painter, RenderSupport::color(region.borderColor), region.borderWidth));
    painter.setBrush(Qt::NoBrush);
    const Rect& r = region.rect;
    if (region.elliptic) {
        painter.drawEllipse(RenderSupport::rectF(r));
        return;
    }
    if (s.top)
        painter.drawLine(QPointF(r.left, r.top), QPointF(r.right, r.top));
    if (s.bottom)
        painter.drawLine(QPointF(r.left, r.bottom), QPointF(r.right, r.bottom));
    if (s.left)
        painter.drawLine(QPointF(r.left, r.top), QPointF(r.left, r.bottom));
    if (s.right)
        painter.drawLine(QPointF(r.right, r.top), QPointF(r.right, r.bottom));
}

void TextRegionRenderer::drawText(QPainter& painter, const TextRect& region, const RegionLayout& l)
{
    const QColor textColor = RenderSupport::color(region.textColor);
    const QColor outlineColor = RenderSupport::color(region.outlineColor);
    const int lineCount = l.twoLines ? 2 : 1;
    for (int i = 0; i < lineCount; ++i) {
        if (l.lines[i].isEmpty())
            continue;
        const ShapedLine line = measuredLine(region, l.lines[i], l.fontHeight);
        mLines.paint(painter, line, l.starts[i], l.rotation, textColor, region.outlineWidth,
                     outlineColor, l.squeeze);
    }
}

ShapedLine TextRegionRenderer::measuredLine(const TextRect& region, const QString& text, int height)
{
    // Measuring shaped the line already; draw what was measured.
    const auto measured =
        std::find_if(mMeasured.cbegin(), mMeasured.cend(),
                     [&](const Measured& m) { return m.height == height && m.text == text; });
    return measured != mMeasured.cend()
               ? measured->line
               : mShaper.shape(text, region.font, height, region.charSpacing);
}
