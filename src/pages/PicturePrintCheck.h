#pragma once

#include "base/Geometry.h"

#include <QString>
#include <QStringList>

class CORINOTEDoc;

// The check before printing or writing a PDF: pictures of the pages' sheets and text
// regions that cannot be drawn — a file that is missing or no picture the decoders know,
// or one larger than the decoders may allocate — so that nothing prints blank without a
// word. Only the files' headers are read.
class PicturePrintCheck
{
public:
    struct Result
    {
        int labels = 0;    // sheets with such a picture (on the sheet or in a region of it)
        QStringList files; // each file once, in page order
    };

    static Result check(const CORINOTEDoc& doc);

    // Whether the file's picture can be drawn over `area` (0.1 mm) when printed, turned
    // by `rotation`, or whole (a colour key is matched on the whole picture), judged by
    // its header as drawing judges it (kept in its aspect when asked): a large JPEG drawn small decodes small and
    // prints; a picture the decoders would refuse at that size does not. An empty area
    // judges the whole picture.
    static bool readable(const QString& path, const Rect& area = Rect(), int rotation = 0,
                         bool whole = false, bool keepAspect = false);

    // "画像を読み込めないラベルが3枚あります。このまま印刷しますか？" and the files (the first
    // `shown`, then "ほか12件"); empty when every picture can be drawn.
    static QString question(const Result& result, int shown = 10);
    // The same for standard error, one file a line.
    static QString warning(const Result& result);
};
