#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QString>
#include <QStringList>

// The detail panel of the address book window: a white area showing a record's picture
// at half opacity (pure white pixels left out), fitted and centred, with the record's
// detail text over it in black, top-left aligned, broken only at its line breaks, in
// "ＭＳ 明朝" 12 pixels high. The text scrolls when it is taller than the panel; the
// picture stays centred in the visible area.
class CPictureEditCtrl : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit CPictureEditCtrl(QWidget* parent = nullptr);

    QString text() const { return mText; }
    void setText(const QString& text);
    QString picturePath() const { return mPicturePath; }
    // A path that cannot be read as a picture shows no picture.
    void setPicturePath(const QString& path);
    // Both at once, with one redraw.
    void setDetail(const QString& text, const QString& picturePath);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void loadPicture();
    void updateScrollRange();

    QString mText;
    QStringList mLines;
    QString mPicturePath;
    QImage mPicture; // white keyed out
};
