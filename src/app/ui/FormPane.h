#pragma once

#include "app/ZoomControl.h"

#include <QWidget>

class CORINOTEDoc;

// What the two forms of the left pane share: the document, and zooming by the mouse
// wheel over the form (a forward roll zooms in, a backward roll out, one step a notch).
// While the keyboard is in the form the wheel zooms over any of its controls, except the
// focused one when it scrolls by the wheel itself (a list, a text or number box); without
// the focus only the form's background zooms.
class FormPane : public QWidget
{
    Q_OBJECT
public:
    explicit FormPane(CORINOTEDoc& doc, QWidget* parent = nullptr);

    CORINOTEDoc& document() const { return mDoc; }

signals:
    // The wheel changed the document's zoom; the drawing view must follow.
    void zoomChanged();

protected:
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    CORINOTEDoc& mDoc;

private:
    void zoomBy(QWheelEvent* event);
    bool hasFocusWithin() const;

    ZoomControl mZoom;
};
