#pragma once

#include <QString>
#include <QStringList>

class CORINOTEDoc;

// Command 184 "データベースのデータの受信" of the data-mode form: the strings an outside
// database program left in "KLTTmp.dat" replace the text regions of the current sheet.
//
// Every data-mode sheet keeps the template's number of regions, because the pages, the
// form's page column, the clearing of sheets and the merge all find a sheet's regions by
// that count. So the strings go into the current sheet's regions in order, and the regions
// left over are emptied rather than removed; strings beyond the sheet's regions are not
// dropped silently: the whole reception is refused and the file stays for another try.
namespace DatabaseReception {

// Whether the form must first ask "現在のシートの文字列は消去されますがよろしいですか？"
// (the pages hold text regions), and the question itself.
bool asksFirst(const CORINOTEDoc& doc);
QString question();

// Takes an undo snapshot, then reads "KLTTmp.dat" in the document's data folder, places
// its strings (below) and deletes the file. Returns an empty string, or the message when
// the file cannot be read, there is no current sheet, or the sheet has fewer regions than
// strings; the pages and the file are then left as they were.
QString receive(CORINOTEDoc& doc);

// Replaces region k of the current sheet by a new region holding string k, in the same
// rectangle, with the attributes of a region made by text import; the sheet's further
// regions become such regions without text. Empties the selections and marks the document
// modified. Returns an empty string, or the message with nothing changed (template mode,
// no current sheet, more strings than regions).
QString place(CORINOTEDoc& doc, const QStringList& strings);

} // namespace DatabaseReception
