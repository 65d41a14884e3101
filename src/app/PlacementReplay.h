#pragma once

#include <QDate>
#include <QString>

#include <functional>

class CORINOTEDoc;
class TextMeasurer;

// Fills pages just rebuilt from the template (after a trip to template mode, or another
// template opened): the records the document holds are merged into them, and the CSV
// rows and pictures it remembers (PlacementMemory) are placed again. The rows are read
// again from their file, so what the template's markers now ask for is what prints.
namespace PlacementReplay {

// Told how far the placement is, for the progress window.
using Progress = std::function<void(int done, int total)>;

// The CSV rows first (as address records when they were placed so; they build and merge
// the pages themselves), else the held records merged (Pagination::mergeHeldRecords);
// then each picture placement in the order made. Takes no undo step (the rebuild took
// one) and remembers nothing new.
//
// Returns an empty string, or what the user must hear: the CSV file is gone or can no
// longer be read (its placement is then forgotten, the held records merged and the
// pictures still placed), the file has fewer rows than were placed (the rows it still
// has are placed), or a picture placement the template no longer allows (it stays
// remembered).
QString replay(CORINOTEDoc& doc, const QDate& today, const TextMeasurer* measurer,
               const Progress& progress = {});

} // namespace PlacementReplay
