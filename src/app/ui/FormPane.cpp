#include "FormPane.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QWheelEvent>

FormPane::FormPane(CORINOTEDoc& doc, QWidget* parent) : QWidget(parent), mDoc(doc)
{
    // The wheel goes to the widget under the mouse; the form's own children see it first.
    qApp->installEventFilter(this);
}

void FormPane::wheelEvent(QWheelEvent* event)
{
    zoomBy(event);
}

void FormPane::zoomBy(QWheelEvent* event)
{
    if (mZoom.wheel(mDoc, event->angleDelta().y()))
        emit zoomChanged();
    event->accept();
}

bool FormPane::hasFocusWithin() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

bool FormPane::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel || watched == this)
        return QWidget::eventFilter(watched, event);
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || !isAncestorOf(target) || !hasFocusWithin())
        return QWidget::eventFilter(watched, event);
    // While the keyboard is in the form, the wheel zooms wherever it rolls over the form,
    // except in the control being worked with that scrolls by it (the focused list, text
    // or number box): an unfocused combo box or spin box no longer changes its value.
    const QWidget* focus = QApplication::focusWidget();
    for (const QWidget* w = target; w && w != this; w = w->parentWidget()) {
        if (w == focus &&
            (qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
             qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSlider*>(w)))
            return QWidget::eventFilter(watched, event);
    }
    zoomBy(static_cast<QWheelEvent*>(event));
    return true;
}
