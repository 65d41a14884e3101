#pragma once

#include <QString>
#include <QStringList>

class CORINOTEDoc;

// "--picture FILE ...": pictures placed one per sheet, or one per picture region with
// "--picture-regions", as the picture printing tool places them.
namespace BatchPictures {

// Returns the message for standard error, empty on success.
QString place(CORINOTEDoc& doc, const QStringList& files, bool regions, bool keep);

} // namespace BatchPictures
