#pragma once

#include "ObjectFamily.h"
#include "base/FontRecord.h"
#include "base/Geometry.h"

#include <QString>

// Which sides of a text region's frame are drawn (1 = drawn). Stored in files as a
// 16-byte rectangle element in the order top, bottom, left, right.
struct BorderSides
{
    qint32 top = 0;
    qint32 bottom = 0;
    qint32 left = 0;
    qint32 right = 0;

    friend bool operator==(const BorderSides& a, const BorderSides& b)
    {
        return a.top == b.top && a.bottom == b.bottom && a.left == b.left && a.right == b.right;
    }
};

// The attributes of a text region (文字列編集領域), in the order of the object model.
#define ORINOTE_TEXTRECT_ATTRIBUTES(X)                                                        \
    X(QString, text, setText, QString())                                                      \
    X(FontRecord, font, setFont, FontRecord())                                                \
    X(qint32, textColor, setTextColor, 0)                                                     \
    X(Rect, rect, setRect, Rect())                                                            \
    X(qint32, alignment, setAlignment, 0)                                                     \
    X(qint32, outlineWidth, setOutlineWidth, 0)                                               \
    X(qint32, outlineColor, setOutlineColor, 0)                                               \
    X(qint32, backColor, setBackColor, 0xFFFFFF)                                              \
    X(qint32, backColorOff, setBackColorOff, 1)                                               \
    X(QString, backPicture, setBackPicture, QString())                                        \
    X(qint32, spareValue, setSpareValue, 0)                                                   \
    X(BorderSides, borderSides, setBorderSides, BorderSides())                                \
    X(qint32, borderWidth, setBorderWidth, 0)                                                 \
    X(qint32, borderColor, setBorderColor, 0xFFFFFF)                                          \
    X(qint32, layer, setLayer, 1)                                                             \
    X(qint32, orderSheetNo, setOrderSheetNo, 1)                                               \
    X(qint32, reservedA, setReservedA, 0)                                                     \
    X(qint32, sheetNo, setSheetNo, 1)                                                         \
    X(qint32, backPictureRotation, setBackPictureRotation, 0)                                 \
    X(qint32, charSpacing, setCharSpacing, 0)                                                 \
    X(qint32, reservedB, setReservedB, 0)                                                     \
    X(qint32, transparentColor, setTransparentColor, 0xFFFFFF)                                \
    X(qint32, transparentColorOn, setTransparentColorOn, 0)                                   \
    X(qint32, pictureTransparency, setPictureTransparency, 0)                                 \
    X(QString, reservedText, setReservedText, QString())                                      \
    X(qint32, elliptic, setElliptic, 0)                                                       \
    X(QString, attribute, setAttribute, QString())

// One text region, as a value.
struct TextRect
{
    ORINOTE_TEXTRECT_ATTRIBUTES(ORINOTE_OBJECT_FIELD)

    // "長い時は縮小": a text longer than the region is squeezed along its line to the
    // region's length. Bit 0 of reservedA, a stored field nothing else uses.
    static constexpr qint32 SqueezeFlag = 1;
    bool squeezesLongText() const { return (reservedA & SqueezeFlag) != 0; }
    void setSqueezesLongText(bool on)
    {
        reservedA = on ? (reservedA | SqueezeFlag) : (reservedA & ~SqueezeFlag);
    }
};

// The text region arrays as plain lists, for the file readers and writers.
struct TextRectArrays
{
    ORINOTE_TEXTRECT_ATTRIBUTES(ORINOTE_ARRAY_FIELD)
    ORINOTE_ARRAYS_METHODS(ORINOTE_TEXTRECT_ATTRIBUTES, TextRectArrays)
};

// The text regions of a layout, as parallel arrays of equal length.
class TextRectFamily
{
    ORINOTE_FAMILY_METHODS(ORINOTE_TEXTRECT_ATTRIBUTES, TextRectFamily, TextRect,
                           TextRectArrays, rect)
};
