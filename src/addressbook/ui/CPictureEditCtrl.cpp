#include "CPictureEditCtrl.h"

#include "addressbook/AddressDetail.h"
#include "render/FontResolver.h"
#include "render/PictureCache.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>

namespace {

QFont detailFont()
{
    return FontResolver::familyFont(FontResolver::family(QStringLiteral("ＭＳ 明朝")), false, false,
                                    12);
}

} // namespace

CPictureEditCtrl::CPictureEditCtrl(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
    viewport()->setFont(detailFont());
}

void CPictureEditCtrl::setText(const QString& text)
{
    setDetail(text, mPicturePath);
}

void CPictureEditCtrl::setPicturePath(const QString& path)
{
    setDetail(mText, path);
}

void CPictureEditCtrl::setDetail(const QString& text, const QString& picturePath)
{
    if (text != mText) {
        mText = text;
        // Broken only at the text's own line breaks (CR LF, or a lone LF or CR).
        static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
        mLines = text.isEmpty() ? QStringList() : text.split(breaks);
        verticalScrollBar()->setValue(0);
    }
    if (picturePath != mPicturePath) {
        mPicturePath = picturePath;
        loadPicture();
    }
    updateScrollRange();
    viewport()->update();
}

void CPictureEditCtrl::loadPicture()
{
    mPicture = QImage();
    if (mPicturePath.isEmpty())
        return;
    // One picture at a time is shown; the cache lives only for the load.
    PictureCache cache;
    mPicture = cache.picture(mPicturePath, 0, qRgb(255, 255, 255));
}

void CPictureEditCtrl::updateScrollRange()
{
    const QFontMetrics metrics(viewport()->font());
    const int textHeight = int(mLines.size()) * metrics.lineSpacing();
    const int page = viewport()->height();
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(metrics.lineSpacing());
    verticalScrollBar()->setRange(0, std::max(0, textHeight - page));
}

void CPictureEditCtrl::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void CPictureEditCtrl::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    const QRect area = viewport()->rect();
    p.fillRect(area, Qt::white);
    if (!mPicture.isNull()) {
        const QRectF target = AddressDetail::pictureRect(area.size(), mPicture.size());
        p.setOpacity(0.5);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, mPicture);
        p.setOpacity(1.0);
    }
    p.setPen(Qt::black);
    p.setFont(viewport()->font());
    const QFontMetrics metrics(p.font());
    int y = metrics.ascent() - verticalScrollBar()->value();
    for (const QString& line : std::as_const(mLines)) {
        if (y - metrics.ascent() > area.height())
            break;
        if (y + metrics.descent() >= 0)
            p.drawText(QPoint(0, y), line);
        y += metrics.lineSpacing();
    }
}
