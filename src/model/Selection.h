#pragma once

#include "ObjectRef.h"

#include <QList>

// What is selected in the drawing view: one sheet, one text region, ruled lines (in the
// order they were picked), and the Ctrl+click group (references in the order they were
// added; the last one is the reference object of the arrange commands).
//
// The indices follow the objects: whoever removes or inserts a sheet, a text region or a
// ruled line tells the selection, which drops the references to a removed object and
// shifts those behind it.
struct Selection
{
    int textRect = -1;
    int sheet = -1;
    QList<int> keisenns;
    QList<ObjectRef> group;

    void clearGroup() { group.clear(); }
    void clear()
    {
        textRect = -1;
        sheet = -1;
        keisenns.clear();
        clearGroup();
    }

    // Keeps only what still exists after the objects were replaced wholesale (an undo or
    // redo): `exists` answers for a sheet or text region, `lineExists` for a ruled line.
    template <typename Exists, typename LineExists>
    void retain(const Exists& exists, const LineExists& lineExists)
    {
        if (textRect >= 0 && !exists(ObjectRef{ObjectRef::TextRectKind, textRect}))
            textRect = -1;
        if (sheet >= 0 && !exists(ObjectRef{ObjectRef::SheetKind, sheet}))
            sheet = -1;
        keisenns.removeIf([&](int i) { return !lineExists(i); });
        group.removeIf([&](const ObjectRef& r) { return !exists(r); });
    }

    // Appends a reference to the group unless it is there already.
    void addToGroup(const ObjectRef& ref)
    {
        if (!group.contains(ref))
            group.append(ref);
    }

    // Object `index` of the kind was removed from its family.
    void removed(ObjectRef::Kind kind, int index)
    {
        int& single = kind == ObjectRef::SheetKind ? sheet : textRect;
        single = shiftedAfterRemoval(single, index);
        for (qsizetype i = group.size() - 1; i >= 0; --i) {
            ObjectRef& r = group[i];
            if (r.kind != kind)
                continue;
            r.index = shiftedAfterRemoval(r.index, index);
            if (r.index < 0)
                group.removeAt(i);
        }
    }
    // An object of the kind was inserted at `index` of its family.
    void inserted(ObjectRef::Kind kind, int index)
    {
        int& single = kind == ObjectRef::SheetKind ? sheet : textRect;
        if (single >= index)
            ++single;
        for (ObjectRef& r : group) {
            if (r.kind == kind && r.index >= index)
                ++r.index;
        }
    }
    // Ruled line `index` was removed.
    void keisennRemoved(int index)
    {
        for (qsizetype i = keisenns.size() - 1; i >= 0; --i) {
            keisenns[i] = shiftedAfterRemoval(keisenns[i], index);
            if (keisenns[i] < 0)
                keisenns.removeAt(i);
        }
    }

private:
    static int shiftedAfterRemoval(int value, int removedIndex)
    {
        if (value < 0 || value == removedIndex)
            return -1;
        return value > removedIndex ? value - 1 : value;
    }
};
