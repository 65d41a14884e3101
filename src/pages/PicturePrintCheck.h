#pragma once

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

    // Whether the file's picture can be drawn, from its header.
    static bool readable(const QString& path);

    // "画像を読み込めないラベルが3枚あります。このまま印刷しますか？" and the files (the first
    // `shown`, then "ほか12件"); empty when every picture can be drawn.
    static QString question(const Result& result, int shown = 10);
    // The same for standard error, one file a line.
    static QString warning(const Result& result);
};
