#pragma once

#include "render/PictureCache.h"

#include <QFrame>

class CORINOTEDoc;

// The preview box of the data-mode form: shows one data-mode text region's background
// colour and picture (see RegionPreview).
class RegionPreviewBox : public QFrame
{
    Q_OBJECT
public:
    explicit RegionPreviewBox(const CORINOTEDoc& doc, QWidget* parent = nullptr);

    void setRegion(int index);
    int region() const { return mRegion; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CORINOTEDoc& mDoc;
    PictureCache mPictures;
    int mRegion = -1;
};
