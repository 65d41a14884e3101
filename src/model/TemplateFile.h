#pragma once

#include <QString>

class CLabelSheetTemplate;
class CORINOTEDoc;

// The sheet template file (.ont): one template body.
namespace TemplateFile {

// Reads a template file into `t`. Returns an empty string, or the message for the user:
// "ファイルオープン失敗" when the file cannot be opened (t unchanged), or a note that the
// file ended early (t keeps what was read, its families consistent).
// *opened (when given) tells whether the file could be opened at all.
QString read(CLabelSheetTemplate& t, const QString& path, bool* opened = nullptr);

// Opens a template into the document as the "open template" command does: takes an undo
// snapshot, reads the template, names the document's template after the file, rebuilds
// page 1 with the first sheet's design on every sheet, clears the group lists and the
// selection, sets the print start position to 1, rebuilds the record list from the
// print reservation, marks the document modified and redraws. A reservation past the
// limit of one print (AddressBook::checkPrintLimit) leaves the record list
// empty, and its message is returned (after the read's own, if any).
QString apply(CORINOTEDoc& doc, const QString& path);

// How an atomic write of a template body ended.
enum class WriteResult { Written, NotOpened, NotWritten };

// Writes a template body to a file atomically (the old file stays whole on failure); why
// it could not be opened, in words, goes to `why` when given.
WriteResult write(const CLabelSheetTemplate& t, const QString& path, QString* why = nullptr);

// Writes the document's template to a file atomically, after an undo snapshot, and names
// the document's template after the file. Returns an empty string or the message.
QString save(CORINOTEDoc& doc, const QString& path);

// The template name a file gives: its file name without the four-character extension.
QString titleOf(const QString& path);

} // namespace TemplateFile
