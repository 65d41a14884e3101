#pragma once

#include <QString>

class CORINOTEDoc;

// Arranging the selected ruled lines of the layout being edited, and copying the
// template's lines into every sheet. No undo snapshot is taken here unless said.
namespace LineArrange {

// Spaces the selected lines evenly between the first and the last selected (selection
// order decides where each goes): horizontal lines vertically, vertical lines
// horizontally. Lines that are not all parallel give "平行な罫線のみを選択してくださ
// い。" and change nothing; otherwise one undo snapshot is taken. Fewer than three
// lines: nothing.
QString distribute(CORINOTEDoc& doc);

// Centres the bounding box of the selected lines on the paper. False with none.
bool centreOnPaper(CORINOTEDoc& doc, bool horizontally);

// Appends to the template a copy of each of its lines for every sheet after the first,
// mapped from the first sheet's rectangle to that sheet's (scaled by the ratio of their
// sizes). False when there is no second sheet or no line.
bool intoEverySheet(CORINOTEDoc& doc);

} // namespace LineArrange
