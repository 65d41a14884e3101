#pragma once

#include "PageRenderer.h"

#include <QList>
#include <QStringList>
#include <QPageLayout>
#include <QString>

#include <functional>

class CORINOTEDoc;
class QPagedPaintDevice;

// The page loop of printing, on any paged device (a printer, a PDF writer): one sheet of
// paper per document page, drawn by the page renderer in print mode at 0.1 mm per unit,
// the paper's top-left corner on the device's, everything shifted by the print offsets,
// clipped to the paper. The first page of a calibration job is the calibration page
// instead of the layout.
class PrintJob
{
public:
    static constexpr int MaxOffset = 1000; // 100 mm either way

    struct Settings
    {
        QList<int> pages;        // in ascending order, from 1; empty: every page
        int offsetX = 0;         // 0.1 mm, positive to the right
        int offsetY = 0;         // 0.1 mm, positive downwards
        bool calibration = false; // the first printed page is the calibration page
        // When given, receives after a job that went through the message naming the
        // labels and files whose pictures were damaged (a truncated JPEG prints its
        // missing part grey): the job still prints, the user is told. Empty otherwise.
        QString* damagedPictures = nullptr;
    };

    // That message for the files met: the labels (sheets) that show one of them, on the
    // sheets or in their regions, and the files.
    static QString damageMessage(const CORINOTEDoc& doc, const QStringList& files);

    // Called after each page with (pages done, pages in all); returning false stops the job.
    using Progress = std::function<bool(int done, int total)>;

    // The device page for a paper rectangle: its size, portrait or landscape as the paper
    // lies, zero margins.
    static QPageLayout pageLayout(const Rect& paper);

    // The pages a job prints: the given ones within 1 … page count, ascending, once each.
    static QList<int> pagesToPrint(const CORINOTEDoc& doc, const QList<int>& requested);

    // Prints on a device whose painting has not begun. The document's current page is left
    // on the last page printed. Returns an empty string, or the message of what failed.
    static QString run(QPagedPaintDevice& device, CORINOTEDoc& doc, const Settings& settings,
                       PageRenderer& renderer, const Progress& progress = {});
};
