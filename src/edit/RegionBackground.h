#pragma once

#include <QSize>
#include <QString>

class CORINOTEDoc;

// The background of the selected text region: colour (or none), picture, key colour
// and picture transparency.
namespace RegionBackground {

struct Values
{
    qint32 color = 0xFFFFFF;
    bool noColor = true; // 無効: the region is transparent
    QString picture;
    qint32 keyColor = 0xFFFFFF;
    bool keyOn = false;
    int transparency = 0; // 0..100 per cent
};

Values of(const CORINOTEDoc& doc);
// Stores the values after one undo snapshot.
void apply(CORINOTEDoc& doc, const Values& values);

// The region's rectangle given a picture's aspect ratio inside its old one: it keeps its
// width and is centred vertically when the picture is relatively taller, else keeps its
// height and is centred horizontally. Part of the step of apply(): no snapshot.
void fitToPicture(CORINOTEDoc& doc, const QSize& picture);

} // namespace RegionBackground
