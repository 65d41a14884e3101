#pragma once

#include "app/ZoomControl.h"

#include <QWidget>

class CORINOTEDoc;

// What the two forms of the left pane share: the document, and zooming by the mouse
// wheel over the form (a forward roll zooms in, a backward roll out, one step a notch).
// Children that scroll by the wheel themselves (lists, edits) keep it.
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

    CORINOTEDoc& mDoc;

private:
    ZoomControl mZoom;
};
