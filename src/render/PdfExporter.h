#pragma once

#include "PrintJob.h"

#include <QString>

class CORINOTEDoc;

// Writes pages of the document to a PDF file through the print page loop, so the file is
// what a printer would get: same renderer, same offsets, fonts embedded as subsets,
// pictures embedded at PictureCache::PrintDpi of their printed size (a page of photographs
// holds only the page's resampled copies). The file is replaced only when the whole job
// succeeded. A paper larger than a PDF page can be (5.08 m a side) is refused.
class PdfExporter
{
public:
    static constexpr int Resolution = 1200;

    static QString exportPdf(CORINOTEDoc& doc, const QString& path,
                             const PrintJob::Settings& settings,
                             const PrintJob::Progress& progress = {});
};
