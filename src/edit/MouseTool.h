#pragma once

#include "base/Geometry.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QTransform>

#include <functional>
#include <optional>

class CORINOTEDoc;
class TextMeasurer;
struct KeisennTableOptions;

// The cursors the tools show: the three of the program's own and the sizing cursors
// over the tracker's handles.
enum class ToolCursor
{
    Arrow,
    Create,   // a sheet, a text region or a table is added
    DrawLine, // a ruled line is drawn
    Line,     // over a ruled line that can be picked
    SizeNWSE,
    SizeNESW,
    SizeVertical,
    SizeHorizontal,
    SizeAll,
};

// One pointer event as the tools see it.
struct ToolEvent
{
    QPointF paper;                       // the pointer in paper units (0.1 mm, y up)
    QTransform toPixels;                 // paper units to the view's pixels
    Qt::KeyboardModifiers modifiers;     // Ctrl and Shift constrain and add to the group
    bool endKeyHeld = false;             // Home or Up held: the end point of a line only
    bool startKeyHeld = false;           // End or Down held: the start point only
    int gridUnit = 0;                    // "GRIDNUM"
    int dragDistance = 0;                // pixels the pointer travels before a drag starts

    // The pointer snapped to the grid.
    Point snapped() const;
};

// What a tool draws over the page while it works: a rubber band, and the tracker with
// the rectangles of the group that move with it.
struct ToolOverlay
{
    enum Shape
    {
        None,
        Rectangle,
        Ellipse,
        Line,
    };
    Shape shape = None;
    QColor color;
    QPointF from;
    QPointF to;
    std::optional<Rect> tracker;
    QList<Rect> group;
};

// What the tools need besides the document: a measurer for sizing new regions to their
// text, and the ruled-line table dialog (given its defaults; nothing when cancelled).
struct ToolServices
{
    const TextMeasurer* measurer = nullptr;
    std::function<std::optional<KeisennTableOptions>(const KeisennTableOptions&)> askTable;
};

// A mouse tool of the drawing view. The view hands it the left button's press, the
// pointer's moves (with or without the button), the release and Escape; the tool
// changes the document through its operations, taking one undo snapshot per gesture
// that changes something (none for Escape).
class MouseTool
{
public:
    MouseTool(CORINOTEDoc& doc, const ToolServices& services) : mDoc(doc), mServices(services) {}
    virtual ~MouseTool() = default;
    MouseTool(const MouseTool&) = delete;
    MouseTool& operator=(const MouseTool&) = delete;

    virtual void press(const ToolEvent& e) = 0;
    virtual void move(const ToolEvent& e) { (void)e; }
    virtual void release(const ToolEvent& e) { (void)e; }
    // Escape: ends a drag without storing anything.
    virtual void cancel() {}
    // A drag is in progress (the view holds the mouse).
    virtual bool isDragging() const { return false; }
    virtual ToolCursor cursor(const ToolEvent& e) const
    {
        (void)e;
        return ToolCursor::Arrow;
    }
    virtual ToolOverlay overlay() const { return {}; }
    // The rectangle the selection pane follows during a drag.
    virtual std::optional<Rect> trackedRect() const { return std::nullopt; }

protected:
    // After a change: mark the document modified and redraw every view.
    void changed();

    CORINOTEDoc& mDoc;
    ToolServices mServices;
};
