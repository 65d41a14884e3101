#include "FontSamplePreview.h"

#include "model/TextRect.h"

#include <QPainter>

FontSamplePreview::FontSamplePreview(QWidget* parent)
    : QWidget(parent), mRenderer(mShaper, mPictures)
{
    setMinimumSize(200, 90);
}

void FontSamplePreview::setFont(const FontRecord& font)
{
    mFont = font;
    update();
}

void FontSamplePreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::gray);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // The box in tenths of a millimetre at 0.4 pixels each, y up as the renderer draws.
    const qreal k = 0.4;
    p.setTransform(QTransform(k, 0, 0, -k, 0, 0));
    const qreal w = width() / k;
    const qreal h = height() / k;
    const bool vertical = mFont.escapement == 900 || mFont.escapement == 2700;
    TextRect region;
    region.font = mFont;
    const qreal cross = 70;
    region.rect = vertical ? Rect{qint32(w / 2 - cross / 2), -10, qint32(w / 2 + cross / 2),
                                  qint32(-h + 10)}
                           : Rect{10, qint32(-h / 2 + cross / 2), qint32(w - 10),
                                  qint32(-h / 2 - cross / 2)};
    TextRegionRenderer::Context context;
    mRenderer.draw(p, region, tr("AaBbあぁアァ亜宇"), context);
}
