#pragma once

#include "app/DisplaySettings.h"
#include "base/Geometry.h"
#include "edit/HeldKeys.h"
#include "edit/MouseTool.h"
#include "render/FontTextMeasurer.h"
#include "render/PageRenderer.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>

#include <memory>
#include <optional>

class CORINOTEDoc;
class CommandActions;
class Profile;
class QMenu;

// The drawing view: the current page (data mode) or the template (template mode) drawn
// by the page renderer at the document's zoom, with scroll bars over a range of the
// viewport size times the zoom.
//
// It owns the display switches: the six persisted ones are read from the profile when
// the view is created and written back when it is destroyed; the preview flag starts off
// and survives mode switches. It carries out the display, zoom and page commands it is
// given by the command actions (whatever widget has the focus), reports the pointer's
// paper position for the cursor pane, remembers the last right-button point and shows
// the right-button menu of the mode.
//
// The mouse goes to the editing tool of the mode (one object per tool, made anew when the
// tool changes), which changes the document; the view draws what the tool shows over the
// page, sets the tool's cursor and reports the dragged rectangle to the selection pane.
// Escape cancels a drag, Delete deletes the selection and the arrow keys move it by one
// grid step; Home, Up, End and Down held while clicking pick the ends of ruled lines.
class CKalvettaEditorView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    CKalvettaEditorView(CORINOTEDoc& doc, Profile& profile, const CommandActions& actions,
                        QWidget* parent = nullptr);
    ~CKalvettaEditorView() override;

    const DisplaySettings& display() const { return mDisplay; }

    // The display commands; each redraws.
    void toggleGrid();
    void toggleSheetNumbers();
    void toggleRegionNumbers();
    void toggleLineNumbers();
    void togglePaperPicture();
    void setGridUnit(int unit);
    void setPreview(bool preview);

    // Commands 164, 165: one zoom step; nothing at the ends of the zoom table.
    void zoomIn();
    void zoomOut();
    // The zoom was changed elsewhere (the wheel over a form): new scroll range, redraw.
    void zoomChanged();
    // A page command of the navigation table; clears the selection and redraws.
    void navigate(int command);
    // A tool command: the tool becomes current, the selection is cleared.
    void selectTool(int tool);
    // Command 203.
    void deleteSelection();
    // The clipboard commands of template mode, and 用紙内に戻す.
    void copySelection();
    void cutSelection();
    void paste();
    void duplicateSelection();
    void bringIntoPaper();
    // The tool the mouse goes to (made for the current mode and tool); may be null.
    MouseTool* tool();

    // The page drawn: the document's current page, 1 in template mode.
    int shownPage() const;
    // Paper units to viewport pixels, as the last paint used.
    QTransform paperTransform() const;
    // The paper point of the last right-button press.
    std::optional<Point> lastPressedPoint() const { return mLastPressed; }
    // The right-button menu of the current mode (the caller owns it).
    QMenu* createContextMenu();

signals:
    // The text of the cursor pane changed.
    void cursorTextChanged(const QString& text);
    // The selection pane follows a dragged rectangle.
    void selectionTextChanged(const QString& text);
    // A message for the user (a refused command).
    void message(const QString& text);
    // A passing remark for the status bar (a nudge held back at the paper's edge).
    void note(const QString& text);
    // Sent on every paint: the page shown and the page count.
    void pageShown(int current, int count);
    // A display switch, the zoom or the page changed: the command states need a look.
    void stateChanged();

public slots:
    // The document changed: keep the page in range, new scroll range, redraw.
    void documentChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void connectCommands(const CommandActions& actions);
    void displayChanged();
    void updateScrollBars();
    void updateCursorText(const std::optional<QPointF>& pixel);
    ToolEvent toolEvent(const QPointF& pixel, Qt::KeyboardModifiers modifiers) const;
    void afterToolEvent(const ToolEvent& e);
    bool nudge(const QKeyEvent& event);
    // One grid step in paper units; 0 without a grid.
    int gridStep() const;
    qint64 keyTime(const QKeyEvent& event) const;
    Rect shownPaper() const;

    CORINOTEDoc& mDoc;
    Profile& mProfile;
    const CommandActions& mActions;
    DisplaySettings mDisplay;
    PageRenderer mRenderer;
    std::optional<Point> mLastPressed;
    FontTextMeasurer mMeasurer;
    std::unique_ptr<MouseTool> mTool;
    int mToolKind = -2;
    HeldKeys mHeldKeys;
    QElapsedTimer mKeyClock; // for key events that carry no time
    bool mEndKeyHeld = false;   // Home or Up
    bool mStartKeyHeld = false; // End or Down
    bool mOverlayShown = false;   // the last paint showed a tool's drag
    std::optional<QPointF> mSnapMark; // where the pointer snaps, while a tool snaps to a grid
};
