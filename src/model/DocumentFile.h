#pragma once

#include <QString>

class ArchiveReader;
class ArchiveWriter;
class CORINOTEDoc;

// The document file (.ond) and the body that undo snapshots share with it: the stored
// scalars, the data-mode families array by array, the reserved arrays, the template and
// the twenty address groups.
namespace DocumentFile {

// Writes the document body.
void write(const CORINOTEDoc& doc, ArchiveWriter& out);

// Reads a document body into a document whose contents were deleted. Each family takes
// what was read and is cut to its shortest array, so a body that ends early still leaves
// a consistent document; the arrays the file does not carry are rebuilt, one default
// entry per object. Returns false when the body could not be read to its end.
bool read(CORINOTEDoc& doc, ArchiveReader& in);

// Opens a document file: deletes the contents, reads the body, clears the selection and
// the modified flag. A file that cannot be opened (missing, a folder, not readable)
// leaves the document as it was, and *kept (when given) says so; a file whose body cannot
// be read to its end leaves the document as after Delete contents. Returns an empty
// string or the message for the user.
QString open(CORINOTEDoc& doc, const QString& path, bool* kept = nullptr);

// Saves the document atomically and clears the modified flag. On failure the old file
// stays whole. Returns an empty string or the message for the user.
QString save(CORINOTEDoc& doc, const QString& path);

} // namespace DocumentFile
