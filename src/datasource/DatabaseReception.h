#pragma once

#include <QString>
#include <QStringList>

class CORINOTEDoc;

// Command 184 "データベースのデータの受信" of the data-mode form: the strings an outside
// database program left in "KLTTmp.dat" replace the text regions of the current sheet.
namespace DatabaseReception {

// Whether the form must first ask "現在のシートの文字列は消去されますがよろしいですか？"
// (the pages hold text regions), and the question itself.
bool asksFirst(const CORINOTEDoc& doc);
QString question();

// Takes an undo snapshot, then reads and deletes "KLTTmp.dat" in the document's data
// folder and places its strings (below). Returns an empty string, or "データベースのデータ
// を受信できません。" when the file cannot be read or there is no current sheet to take the
// strings; the pages are then unchanged.
QString receive(CORINOTEDoc& doc);

// Removes every data-mode text region of the current sheet and inserts one region per
// string, in order, where the first removed region was (with none removed, after the last
// region of the sheets before it). String k takes the rectangle of the k-th removed region;
// further strings are stacked below it, a line of the default text height each, as wide
// as the sheet. Every other attribute is that of a region made by text import. Empties
// the selections and marks the document modified. False, with nothing changed, in
// template mode or when the current sheet number names no sheet of the pages.
bool place(CORINOTEDoc& doc, const QStringList& strings);

} // namespace DatabaseReception
