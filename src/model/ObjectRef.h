#pragma once

#include <QtGlobal>

// A reference to one sheet or one text region of the layout being edited (the template
// in template mode, the data-mode layout otherwise) by its index in its family. The
// Ctrl+click group holds references, not copies, so the commands that act on the group
// change the objects themselves.
struct ObjectRef
{
    enum Kind : qint8
    {
        SheetKind,
        TextRectKind,
    };

    Kind kind = SheetKind;
    int index = -1;

    friend bool operator==(const ObjectRef& a, const ObjectRef& b)
    {
        return a.kind == b.kind && a.index == b.index;
    }
    friend bool operator!=(const ObjectRef& a, const ObjectRef& b) { return !(a == b); }
};
