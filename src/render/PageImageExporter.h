#pragma once

#include "PageRenderer.h"

#include <QImage>
#include <QList>
#include <QString>

class CORINOTEDoc;

// Renders pages of the document to PNG files, for the batch command and for looking at a
// layout without a window. Each page is drawn by the page renderer at `dpi` dots per inch
// on white and written to "<prefix>-<page>.png", the page number padded with zeros to the
// digits of the page count (as pdftoppm names its pages).
class PageImageExporter
{
public:
    static constexpr int DefaultDpi = 150;
    static constexpr int MinDpi = 10;
    static constexpr int MaxDpi = 1200;

    // Writes the pages (numbers from 1; an empty list means every page). Returns an empty
    // string on success, else a message naming what failed; pages written before a
    // failure stay.
    static QString exportPages(CORINOTEDoc& doc, const QString& prefix, int dpi,
                               const PageRenderer::Options& options, const QList<int>& pages);

    // One page as an image: the paper at `dpi`, white where nothing is drawn. A null image
    // when the paper is empty or the image would be unreasonably large.
    static QImage renderPage(CORINOTEDoc& doc, int page, int dpi,
                             const PageRenderer::Options& options, PageRenderer& renderer);

    // Parses a page list such as "1,3-5,8-" against the page count: numbers and ranges
    // separated by commas, a range open at either end running to the first or last page.
    // Returns the pages in the order given; on an error returns an empty list and sets
    // *error.
    static QList<int> parsePages(const QString& list, int pageCount, QString* error);

    // The file name of a page.
    static QString fileName(const QString& prefix, int page, int pageCount);
};
