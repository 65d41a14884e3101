#pragma once

#include "base/FontRecord.h"
#include "render/PictureCache.h"
#include "render/TextRegionRenderer.h"
#include "render/TextShaper.h"

#include <QWidget>

// A sample text drawn by the region renderer in a font record, across the box or down
// it for a vertical face.
class FontSamplePreview : public QWidget
{
    Q_OBJECT
public:
    explicit FontSamplePreview(QWidget* parent = nullptr);
    void setFont(const FontRecord& font);
    QSize sizeHint() const override { return QSize(320, 120); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FontRecord mFont;
    TextShaper mShaper;
    PictureCache mPictures;
    TextRegionRenderer mRenderer;
};
