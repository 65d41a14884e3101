#pragma once

#include "base/Geometry.h"
#include "model/ObjectRef.h"
#include "model/PageObjects.h"

class CORINOTEDoc;
class KeisennFamily;
class SheetFamily;
class TextRectFamily;

// The objects that editing acts on: the template's in template mode; in data mode the
// data-mode layout, of which the current page's objects can be touched.
struct EditLayout
{
    bool templateMode = false;
    SheetFamily* sheets = nullptr;
    TextRectFamily* regions = nullptr;
    KeisennFamily* lines = nullptr;
    PageObjects objects;

    static EditLayout of(CORINOTEDoc& doc);

    // Whether the reference names an object of the page.
    bool contains(const ObjectRef& ref) const;
    // The rectangle of a referenced sheet or region; an empty rectangle when there is none.
    Rect rectOf(const ObjectRef& ref) const;
    void setRect(const ObjectRef& ref, const Rect& rect);
};

// A rectangle with left <= right and top >= bottom.
Rect normalised(const Rect& r);
