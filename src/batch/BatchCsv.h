#pragma once

#include <QString>

class CORINOTEDoc;

// "--csv FILE --rows LIST": the rows of a CSV file placed on the data-mode pages as the
// CSV merge dialog places its selected rows.
namespace BatchCsv {

// Returns the message for standard error, empty on success.
QString place(CORINOTEDoc& doc, const QString& file, const QString& rows);

} // namespace BatchCsv
