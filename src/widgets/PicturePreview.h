#pragma once

#include "render/PictureCache.h"

#include <QCursor>
#include <QImage>
#include <QWidget>

// A picture shown in a box: at its own size when it fits, else scaled down with its
// aspect ratio kept, centred; with an opacity and an optional key colour made
// transparent. A left click reports the colour of the picture under the pointer, a right
// click white (the background dialogs pick their key colour so).
class PicturePreview : public QWidget
{
    Q_OBJECT
public:
    explicit PicturePreview(QWidget* parent = nullptr);

    // Loads the picture file (an empty or unreadable path shows the background alone).
    void setPicture(const QString& path, int rotation = 0);
    void setBackground(const QColor& color);
    void setOpacity(qreal opacity);
    void setKeyColor(const QColor& color, bool on);
    // Clicking picks colours (with the picking cursor) when on.
    void setPicking(bool on);
    // The dropper cursor of picking, its hot spot at the tip where the colour is taken.
    static QCursor pickingCursor();

    bool hasPicture() const { return !mImage.isNull(); }
    QSize pictureSize() const { return mImage.size(); }
    // The colour of the shown picture at a point of the widget; invalid outside it.
    QColor colorAt(const QPoint& pos) const;

    QSize sizeHint() const override { return QSize(160, 120); }

signals:
    void colorPicked(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRect pictureRect() const;

    PictureCache mPictures;
    QString mPath;
    int mRotation = 0;
    QImage mImage; // the turned picture, for picking its colours
    QColor mBackground = Qt::white;
    qreal mOpacity = 1.0;
    QColor mKey;
    bool mKeyOn = false;
    bool mPicking = false;
};
