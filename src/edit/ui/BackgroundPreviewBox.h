#pragma once

#include "render/PictureCache.h"

#include <QFrame>

// The background preview of the sheet and region pages: the object's background colour,
// and its background picture turned by its rotation, with its opacity, centred at its
// own size or scaled down to fit with its aspect ratio kept.
class BackgroundPreviewBox : public QFrame
{
    Q_OBJECT
public:
    struct Background
    {
        bool filled = false; // whether `color` is drawn
        qint32 color = 0xFFFFFF;
        QString picture;
        int rotation = 0;
        int transparency = 0; // per cent
    };

    explicit BackgroundPreviewBox(QWidget* parent = nullptr);

    // Nothing to show: a white box.
    void clear();
    void setBackground(const Background& b);
    const Background& background() const { return mBackground; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PictureCache mPictures;
    Background mBackground;
};
