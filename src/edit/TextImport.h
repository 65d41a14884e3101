#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CORINOTEDoc;
class TextMeasurer;

// Typing the texts of several selected text regions at once (文字列の読み込み): one line
// per region, in the order the regions were selected. In template mode the lines are the
// regions' placeholders, in data mode their texts.
namespace TextImport {

// The most regions one edit takes.
constexpr int MaxRegions = 30;
// The tool that must be chosen in template mode: moving and sizing text regions.
constexpr int RegionTool = 3;

// The selected regions of the page being edited, in selection order: the Ctrl+click group's
// regions, or else the one selected region.
QList<int> regions(const CORINOTEDoc& doc);

// Why the command cannot run now ("文字列編集領域を選択してください。", "一度に処理できる
// 文字列編集領域は30までです。"), or an empty string.
QString refusal(const CORINOTEDoc& doc);

// The regions' texts, one per line, joined by CR LF.
QString initialText(const CORINOTEDoc& doc);

// The edited text cut into lines at each line feed, a carriage return before it dropped.
QStringList lines(const QString& text);

// Takes one undo snapshot and gives line i to region i; extra lines are ignored and regions
// without a line keep their text. Each changed region is fitted to its text as the
// settings say ("TROD" in data mode; "TROT" in template mode, except texts with merge
// fields). Marks the document modified and redraws. Nothing happens when refusal() speaks.
void apply(CORINOTEDoc& doc, const QString& text, const TextMeasurer* measurer);

// How far line i misses its region, in spaces: for each selected region with a line, the
// number of spaces that would fill it up to the region's length (positive), or minus the
// number of spaces to take away (a line exactly as long as the region gives -1). Measured
// with the region's font at its drawing size and its character spacing.
QList<int> slack(const CORINOTEDoc& doc, const QString& text, const TextMeasurer& measurer);

// The counting rule behind slack(): a line `width` long, spaces `space` wide, a region
// `span` long.
int slackOf(qint64 width, qint64 space, qint64 span);

} // namespace TextImport
