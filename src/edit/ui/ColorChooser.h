#pragma once

#include <QWidget>

class QToolButton;

// A colour swatch with its "色の変更" button, which opens the colour dialog on the
// current colour. Colours are 0x00BBGGRR values.
class ColorChooser : public QWidget
{
    Q_OBJECT
public:
    explicit ColorChooser(qint32 color, QWidget* parent = nullptr);

    qint32 color() const { return mColor; }
    void setColor(qint32 color);

    static qint32 colorRef(const QColor& c);

signals:
    void colorChanged(qint32 color);

private:
    void choose();

    QToolButton* mSwatch;
    qint32 mColor;
};
