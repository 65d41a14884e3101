#pragma once

#include "FontRecord.h"
#include "Geometry.h"

#include <QList>
#include <QStringList>

// What is selected in the drawing view: one sheet, one text region, ruled lines, and the
// Ctrl+click group of text regions (their rectangles, fonts, texts and attributes).
struct Selection
{
    int textRect = -1;
    int sheet = -1;
    QList<int> keisenns;
    QList<Rect> groupRects;
    QList<FontRecord> groupFonts;
    QStringList groupTexts;
    QStringList groupAttributes;

    void clearGroup()
    {
        groupRects.clear();
        groupFonts.clear();
        groupTexts.clear();
        groupAttributes.clear();
    }
    void clear()
    {
        textRect = -1;
        sheet = -1;
        keisenns.clear();
        clearGroup();
    }
};
