#pragma once

#include "TemplateSetup.h"

#include <QString>

#include <functional>

class CLabelSheetTemplate;
class CORINOTEDoc;

// "更新" of the template editor form: writes the property sheet's copy into the template.
namespace TemplateSetupApply {

// Asks a Yes/No question; true for Yes.
using AskYesNo = std::function<bool(const QString&)>;

QString paperMessage();  // "用紙サイズの設定をやりなおしてください。"
QString scaleQuestion(); // whether to scale the objects to a changed paper

// Paper height 300..4200 and width 300..2970.
bool paperAccepted(qint64 height, qint64 width);
// "画像ファイルを読み込めません。" when the paper picture is set and cannot be read as a
// picture (a typed path, a file that is no picture); empty otherwise.
QString checkPaperPicture(const QString& path);

enum class Outcome
{
    Refused,   // the paper size is out of range: nothing written
    Unchanged, // the copy equals the template: nothing written, no undo step
    Applied,
};

// Checks the paper, takes one undo snapshot, writes the paper, its picture, the sheets
// (one sheet covering the paper when the copy has none), regions, ruled lines and print
// options; when the paper changed, asks `askScale` and on Yes scales every object from
// the old paper to the new. Then rebuilds the data-mode layout, clears the selection,
// marks the document modified and redraws every view.
Outcome apply(CORINOTEDoc& doc, const TemplateSetup& setup, const AskYesNo& askScale);

// Scales every sheet, text region and ruled line of the template from paper `from` to
// paper `to`. An axis along which `from` has no positive size is left as it is.
void scale(CLabelSheetTemplate& t, const Rect& from, const Rect& to);
// One rectangle and one point of that mapping; results are held within 32 bits.
Rect scaledRect(const Rect& r, const Rect& from, const Rect& to);
Point scaledPoint(const Point& p, const Rect& from, const Rect& to);

} // namespace TemplateSetupApply
