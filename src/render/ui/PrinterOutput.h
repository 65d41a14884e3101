#pragma once

#include "render/PrintJob.h"

#include <QString>

class CORINOTEDoc;
class QPrinter;

// Printing on a CUPS queue through QPrinter: the whole paper as the page (full page, zero
// margins, or everything would shift by the printer's margin) at the printer's own
// resolution, then the print page loop.
class PrinterOutput
{
public:
    // Prepares a printer chosen by the user (or by name) for the document's paper: colour,
    // the job's name, and fitToPaper().
    static void prepare(QPrinter& printer, const CORINOTEDoc& doc);

    // The device page is the whole paper of the document, whatever paper or margins the
    // print dialog was left with; the user's other choices (colour, copies) stay.
    static void fitToPaper(QPrinter& printer, const CORINOTEDoc& doc);

    // Prints on the named queue, the default printer when the name is empty. Returns an
    // empty string or the message of what failed.
    static QString print(CORINOTEDoc& doc, const QString& printerName,
                         const PrintJob::Settings& settings,
                         const PrintJob::Progress& progress = {});

    // Prints on a printer already chosen and prepared (the print dialog's).
    static QString print(QPrinter& printer, CORINOTEDoc& doc, const PrintJob::Settings& settings,
                         const PrintJob::Progress& progress = {});
};
