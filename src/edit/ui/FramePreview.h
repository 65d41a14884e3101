#pragma once

#include <QWidget>

// The frame preview of the ruled-line table dialog: a white square, a dotted light grey
// square 10 pixels inside it, and the chosen frame sides drawn on that inner square in
// black, 3 pixels wide.
class FramePreview : public QWidget
{
    Q_OBJECT
public:
    explicit FramePreview(QWidget* parent = nullptr);

    // Top, bottom, left, right.
    void setSides(bool top, bool bottom, bool left, bool right);
    QSize sizeHint() const override { return QSize(96, 96); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool mSides[4] = {true, true, true, true};
};
