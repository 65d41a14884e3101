#pragma once

#include <QWidget>

class SheetOrder;

// The picture area of the sheet order dialog: the paper as a white miniature on grey,
// every sheet outlined in green, the chosen sheets in grey with their order number white
// on blue at their top-left corner. A left click chooses the first free sheet under the
// pointer in the order given to it; the whole widget is the picture area.
class SheetOrderPicture : public QWidget
{
    Q_OBJECT
public:
    // The picture area is A4-shaped, so papers on either scale keep their proportions.
    static constexpr int PictureWidth = 280;
    static constexpr int PictureHeight = 396;

    // `order` must outlive the widget.
    explicit SheetOrderPicture(SheetOrder& order, QWidget* parent = nullptr);

    QSize sizeHint() const override { return QSize(PictureWidth, PictureHeight); }
    // The area the paper coordinates are mapped into.
    QRect pictureArea() const { return rect(); }

signals:
    // A click chose `sheet` (0-based).
    void sheetChosen(int sheet);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    SheetOrder& mOrder;
};
