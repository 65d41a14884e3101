#pragma once

// The lengths of every array of a family, gathered from the attribute lists so that an
// attribute added later is covered too. The arrays of one family must all be as long.

#include "model/Keisenn.h"
#include "model/Sheet.h"
#include "model/TextRect.h"

#include <QList>

#define ORINOTE_COLLECT_SIZE(Type, name, setter, init) sizes.append(qsizetype(a.name.size()));

inline QList<qsizetype> arraySizes(const TextRectArrays& a)
{
    QList<qsizetype> sizes;
    ORINOTE_TEXTRECT_ATTRIBUTES(ORINOTE_COLLECT_SIZE)
    return sizes;
}

inline QList<qsizetype> arraySizes(const SheetArrays& a)
{
    QList<qsizetype> sizes;
    ORINOTE_SHEET_ATTRIBUTES(ORINOTE_COLLECT_SIZE)
    return sizes;
}

inline QList<qsizetype> arraySizes(const KeisennArrays& a)
{
    QList<qsizetype> sizes;
    ORINOTE_KEISENN_ATTRIBUTES(ORINOTE_COLLECT_SIZE)
    return sizes;
}

#undef ORINOTE_COLLECT_SIZE
