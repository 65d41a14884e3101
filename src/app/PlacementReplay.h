#pragma once

#include <QDate>
#include <QString>

#include <functional>

class CORINOTEDoc;
class TextMeasurer;

// Places the CSV rows and pictures the document remembers (PlacementMemory) again, on
// pages just rebuilt from the template: after a trip to template mode, or another
// template opened. The rows are read again from their file, so what the template's
// markers now ask for is what prints.
namespace PlacementReplay {

// Told how far the placement is, for the progress window.
using Progress = std::function<void(int done, int total)>;

// Does nothing when nothing is remembered. The CSV rows first (as address records when
// they were placed so), then each picture placement in the order made. Takes no undo
// step (the rebuild took one) and remembers nothing new.
//
// Returns an empty string, or what the user must hear: the CSV file is gone or can no
// longer be read (its placement is then forgotten and the pictures are still placed), the file
// has fewer rows than were placed (the rows it still has are placed), or a picture
// placement the template no longer allows (it stays remembered).
QString replay(CORINOTEDoc& doc, const QDate& today, const TextMeasurer* measurer,
               const Progress& progress = {});

} // namespace PlacementReplay
