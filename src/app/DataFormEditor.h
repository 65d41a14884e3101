#pragma once

#include <QString>
#include <QStringList>

class CORINOTEDoc;
class TextMeasurer;

// The operations of the data-mode form: choosing the displayed layer, choosing a text
// region from the list, and changing or clearing its text. Each changing operation takes
// an undo snapshot first, marks the document modified and redraws every view.
namespace DataFormEditor {

// The page a data-mode region lies on: index / (sheets per page × regions per sheet) + 1
// (1 when the template has no sheet or no region).
int pageOfRegion(const CORINOTEDoc& doc, int index);

// Shows only one layer (1 … 10) or every layer (0); clears the selected text region and
// ruled lines.
void setDisplayedLayer(CORINOTEDoc& doc, int layer);

// Makes data-mode region `index` the selected region and shows its page. An index
// outside the regions clears the selected region.
void selectRegion(CORINOTEDoc& doc, int index);

// "変更": gives region `index` the text and layer and fits it to the text as "TROD"
// asks (1 shrink, 2 enlarge; needs the measurer). Returns an empty string, or the
// refusal: "レイヤーの値が正しくありません。" for a layer outside 1 … 10, "アイテムを選択
// してください。" when no region is chosen; a refusal changes nothing.
QString apply(CORINOTEDoc& doc, int index, const QString& text, int layer,
              const TextMeasurer* measurer);

// "クリア": empties the text of region `index` and clears the selection. Returns an
// empty string or "アイテムを選択してください。".
QString clear(CORINOTEDoc& doc, int index);

// The choices of the form's sender box: one text per record of the 差出人 group (氏名 and
// 住所1), in the group's order.
QStringList senderChoices(const CORINOTEDoc& doc);

// Makes record `index` of the 差出人 group the sender and merges the sender's fields on
// the pages again (the regions whose attribute names an "(S)" field; the other regions,
// CSV cells and edited texts keep their text). An index outside the group, or the sender
// already chosen, changes nothing.
void setSender(CORINOTEDoc& doc, int index, const TextMeasurer* measurer);

} // namespace DataFormEditor
