#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class CORINOTEDoc;

// "--picture FILE ...": pictures placed one per sheet, or one per picture region with
// "--picture-regions", as the picture printing tool places them.
namespace BatchPictures {

// Returns the message for standard error, empty on success. A file that does not exist is
// refused. `today` is the date the date fields of rebuilt pages show.
QString place(CORINOTEDoc& doc, const QStringList& files, bool regions, bool keep,
              const QDate& today = QDate::currentDate());

} // namespace BatchPictures
