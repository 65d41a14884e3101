#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <functional>

class CORINOTEDoc;
class CsvDataTable;
class TextMeasurer;

// Rows of a CSV file as the print data of data mode. A text region takes a column of the
// row on its sheet through a marker in its template text: "@", the column's number or
// name and "(CSV)", as in "@3(CSV)" or "@氏名(CSV)"; in braces, "{@3(CSV)} 様", with the
// text around it (CsvMarker).
namespace CsvPlacement {

// The most rows one placement takes.
constexpr int MaxRows = 500;

// The refusal of a selection of `count` rows: "一度に読み込めるアイテム数は500までです。"
// above MaxRows, "アイテムが選択されていません。" for none; else an empty string.
QString checkSelection(qsizetype count);

// Whether a template text holds a column marker: an "@" and a "(CSV)".
bool hasMarker(const QString& attribute);
// The column number (1-based) of a text's first marker: its key read as a decimal number
// (leading blanks and a sign allowed, digits up to the first other character). Anything
// else, a name and a "(CSV)" before the "@" included, gives 0; numbers too large for an
// int give INT_MAX or INT_MIN.
int columnNumber(const QString& attribute);

// The names that markers of the template's regions give and the table's columns do not
// have (a table without a first line of names has none), trimmed, each once, in the
// order of the regions. Their regions print nothing.
QStringList missingNames(const CORINOTEDoc& doc, const CsvDataTable& table);
// The message that names them: "次の列名はCSVファイルの見出しにありません（何も印刷されません）：
// 氏名、会社".
QString missingNamesMessage(const QStringList& names);

// Whether the document holds print reservations: a reserved record in groups 0–18, or a
// record list with a record that is not padding.
// Pagination::dropReservation releases them.
bool holdsReservation(const CORINOTEDoc& doc);

// Told how far the placement is (regions merged, then rows placed) for the progress window.
using Progress = std::function<void(int done, int total)>;

// Builds the data-mode pages for the rows, `rows` being table rows in the order they go
// onto the sheets (at most MaxRows are taken): page 1 from the template with sheet No. 1's
// design on every sheet, enough pages for (print start position − 1) + rows sheets, the
// regions expanded without records (fixed texts, sender and automatic fields; address
// fields and markers empty), then row k on the sheet at print start position + k: each
// region with markers takes its text from them (CsvMarker::fill), a marker of a column
// the table does not have giving nothing.
// Every marked region of a row's sheet then gets kanji numerals ("NTJ", vertical face)
// and is fitted to its text ("TROD" 1 shrink, 2 enlarge; a measurer is needed). The
// sheets before the start position and after the last row are cleared.
//
// Takes no undo snapshot; afterwards the selection is empty, the current page is 1, the
// document is marked modified and every view asked to redraw.
void place(CORINOTEDoc& doc, const CsvDataTable& table, const QList<int>& rows, const QDate& today,
           const TextMeasurer* measurer, const Progress& progress = {});

// Puts row k's cells (rows.at(k), k < count) into the regions with markers of the data-mode
// sheet first + k, with kanji numerals and fitting as place() does; `step` (when given)
// is told every k done. The pages must be built and expanded.
void fillMarkers(CORINOTEDoc& doc, const CsvDataTable& table, const QList<int>& rows, int first,
                 int count, const TextMeasurer* measurer, const std::function<void(int)>& step);
// After a placement: the selection emptied, page 1 current, the document modified and
// every view asked to redraw.
void finish(CORINOTEDoc& doc);

} // namespace CsvPlacement
