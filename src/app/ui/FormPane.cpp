#include "FormPane.h"

#include <QWheelEvent>

FormPane::FormPane(CORINOTEDoc& doc, QWidget* parent) : QWidget(parent), mDoc(doc) {}

void FormPane::wheelEvent(QWheelEvent* event)
{
    if (mZoom.wheel(mDoc, event->angleDelta().y()))
        emit zoomChanged();
    event->accept();
}
