#pragma once

#include "ObjectFamily.h"
#include "base/Geometry.h"

#include <QString>

// The attributes of a sheet (シート), a label area of the page.
#define ORINOTE_SHEET_ATTRIBUTES(X)                                                           \
    X(Rect, rect, setRect, Rect())                                                            \
    X(qint32, autoCols, setAutoCols, 1)                                                       \
    X(qint32, autoRows, setAutoRows, 1)                                                       \
    X(qint32, backColor, setBackColor, 0xFFFFFF)                                              \
    X(QString, backPicture, setBackPicture, QString())                                        \
    X(qint32, spareSheetValue, setSpareSheetValue, 0)                                         \
    X(qint32, bleedX, setBleedX, 0)                                                           \
    X(qint32, bleedY, setBleedY, 0)                                                           \
    X(qint32, keepPictureAspect, setKeepPictureAspect, 0)                                     \
    X(qint32, backPictureRotation, setBackPictureRotation, 0)                                 \
    X(qint32, elliptic, setElliptic, 0)                                                       \
    X(qint32, pictureTransparency, setPictureTransparency, 0)                                 \
    X(QString, reservedText, setReservedText, QString())                                      \
    X(qint32, reservedC, setReservedC, 0)

struct Sheet
{
    ORINOTE_SHEET_ATTRIBUTES(ORINOTE_OBJECT_FIELD)
};

struct SheetArrays
{
    ORINOTE_SHEET_ATTRIBUTES(ORINOTE_ARRAY_FIELD)
    ORINOTE_ARRAYS_METHODS(ORINOTE_SHEET_ATTRIBUTES, SheetArrays)
};

// The sheets of a layout, as parallel arrays of equal length.
class SheetFamily
{
    ORINOTE_FAMILY_METHODS(ORINOTE_SHEET_ATTRIBUTES, SheetFamily, Sheet, SheetArrays, rect)
};
