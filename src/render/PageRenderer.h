#pragma once

#include "PictureCache.h"
#include "RenderMode.h"
#include "TextRegionRenderer.h"
#include "TextShaper.h"

#include "base/Geometry.h"
#include "model/PageObjects.h"

#include <QSize>
#include <QTransform>

class CORINOTEDoc;
class Profile;
class QPainter;
struct Selection;

// Draws one page of the document on any QPainter: the drawing view (edit and preview, data
// and template mode, every zoom), images, the printer and PDF. The caller sets the
// painter's transform (screenTransform() or deviceTransform()); the page is drawn in
// logical units of 0.1 mm with y up.
//
// Screen (edit and preview), in this order:
//   1 the paper filled white; 2 the template's paper picture when shown; 3 clip to the
//   paper; 4 the grid (edit, when shown): every 5 mm dotted, 10 mm solid light cyan, 50 mm
//   cyan; 5 sheet backgrounds with their bleed; 6 ruled lines (edit; preview when they are
//   printed); 7 region outlines (edit); 8 text regions layer 1 to 10, in list order within
//   a layer, filtered by the displayed layer; 9 sheet frames (edit: all grey, the current
//   sheet red; preview: when printed, black with a white inner line); 10 the selection
//   rectangles; 11 the number labels S, T, K when switched on; 12 the tracker of the
//   selected region (template mode: or sheet); 13 the selected ruled lines in yellow
//   with their end circles.
// Print: 5, 6 when ruled lines are printed, 8, and the frames of 9 when sheet frames are
// printed; nothing else.
//
// Template mode draws the template's paper, sheets, regions (showing their attributes)
// and lines; data mode the objects of the given page. Drawing a region writes the font
// height it used back into the region's font record, as the font dialog expects.
class PageRenderer
{
public:
    struct Options
    {
        RenderMode mode = RenderMode::Edit;
        bool grid = false;           // "DISPGRID"
        bool sheetNumbers = false;   // "LNUM"
        bool regionNumbers = false;  // "RNUM"
        bool keisennNumbers = false; // "KNUM"
        bool paperPicture = false;   // "DISPSPIC"

        // The display switches as the profile keeps them.
        static Options fromProfile(const Profile& profile, RenderMode mode);
    };

    // The objects a page shows (see PageObjects).
    using PageObjects = ::PageObjects;

    PageRenderer();

    void draw(QPainter& painter, CORINOTEDoc& doc, int page, const Options& options);

    // Only what holds pictures, as draw() would draw them: the sheets' backgrounds and the
    // regions' boxes. With the picture cache collecting, this tells it what a page will
    // decode (print jobs decode the next page's pictures while one page is drawn).
    void drawPictures(QPainter& painter, CORINOTEDoc& doc, int page, const Options& options);

    static PageObjects pageObjects(const CORINOTEDoc& doc, int page)
    {
        return PageObjects::of(doc, page);
    }

    // The paper drawn: the template's in template mode, the data layout's otherwise.
    static Rect paperRect(const CORINOTEDoc& doc);

    // The zoomed isotropic screen mapping: a window of 2100 × 2970 units (2970 × 4200 for
    // papers larger than A4) divided by the zoom, fitted into the client area keeping the
    // smaller scale, y up, origin at the client's top-left corner.
    static QTransform screenTransform(const Rect& paper, double zoom, const QSize& client);
    // The scroll range of the view: the client size times the zoom, in device pixels.
    static QSize scrollRange(double zoom, const QSize& client);

    // A device of the given resolution at 0.1 mm per unit, y up, shifted by an offset in
    // logical units (x positive to the right, y positive downwards), as printing needs.
    static QTransform deviceTransform(qreal dpiX, qreal dpiY, int offsetX = 0, int offsetY = 0);

    TextShaper& shaper() { return mShaper; }
    PictureCache& pictures() { return mPictures; }

private:
    struct Source;
    Source sourceOf(CORINOTEDoc& doc, int page) const;
    static TextRegionRenderer::Context regionContext(const Source& s, RenderMode mode);

    void drawGrid(QPainter& painter, const Rect& paper);
    void drawSheetBackgrounds(QPainter& painter, const Source& s, RenderMode mode);
    void drawSheetBackground(QPainter& painter, const Source& s, const Rect& sheet, int settings,
                             bool elliptic, RenderMode mode, const QString& label);
    void drawRuledLines(QPainter& painter, const Source& s);
    void drawRegionOutlines(QPainter& painter, const Source& s);
    void drawRegions(QPainter& painter, const Source& s, RenderMode mode);
    void drawSheetFrames(QPainter& painter, const Source& s, RenderMode mode);
    static void markSmallBarcode(QPainter& painter, const TextRect& region);
    void drawGroupRects(QPainter& painter, const Selection& selection, const Source& s);
    void drawOffPaperOutlines(QPainter& painter, const Source& s, const QRectF& paper);
    void drawSelectedObjects(QPainter& painter, const Selection& selection, const Source& s);
    void drawLabels(QPainter& painter, const Source& s, const Options& options);

    TextShaper mShaper;
    PictureCache mPictures;
    TextRegionRenderer mRegions;
};
