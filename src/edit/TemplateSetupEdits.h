#pragma once

#include "TemplateSetup.h"

#include <QList>
#include <QString>

#include <functional>

class TextMeasurer;

// The add, change and delete buttons of the template pages, on the working copy. Each
// operation checks its fields first and returns the message for the user when it refuses
// (nothing changes then), else an empty string. Rows are indices into the copy's family.
namespace TemplateSetupEdits {

// What the region page adds or changes: the attribute text, the layer, the rectangle,
// the ellipse box and, for adding, the writing direction ("縦書きで追加" and
// "横書き（洋形用）で追加" exclude each other; vertical wins if both are set).
struct RegionFields
{
    QString attribute;
    qint64 layer = 1;
    RectFields rect;
    bool elliptic = false;
    bool vertical = false;
    bool western = false;
    bool squeeze = false; // "長い時は縮小"
};

// Asks an OK/Cancel question; true for OK.
using Confirm = std::function<bool(const QString&)>;

QString selectItemMessage();   // "アイテムを選択してください。"
QString oneItemMessage();      // "一つの項目のみを選択してください。"
QString selectChangeMessage(); // "変更するデータを選択してください。"
QString selectDeleteMessage(); // "削除するデータを選択してください。"
QString linesQuestion();       // the question before changing several ruled lines

// The range checks of the pages: "入力された数値は正しくありません。" or empty.
QString checkSheet(const RectFields& f);
QString checkRegion(const RegionFields& f);
QString checkLine(const LineFields& f);

// Sheets: a new sheet has the fields' rectangle and ellipse box, a white (no) background,
// no picture and 0 for every other value. Changing stores the rectangle and the box.
QString addSheet(TemplateSetup& s, const RectFields& f, bool elliptic);
QString changeSheet(TemplateSetup& s, const QList<int>& rows, const RectFields& f, bool elliptic);
QString removeSheets(TemplateSetup& s, const QList<int>& rows);

// The font of a region added in the given direction, its height the cross size.
FontRecord regionFont(const RegionFields& f);
// Text regions. Adding with sizeToText ("ARS") fits a fixed text (not empty, no "(R)",
// "(S)" or "(A)") to its extent in the region's font plus one average byte width.
// Changing stores the rectangle, layer, attribute and ellipse box, then, for a text
// without "(S)" and "(R)", shrinks (fitMode 1) or enlarges (2) the region to it ("TROT").
QString addRegion(TemplateSetup& s, const RegionFields& f, bool sizeToText,
                  const TextMeasurer* measurer);
QString changeRegion(TemplateSetup& s, const QList<int>& rows, const RegionFields& f, int fitMode,
                     const TextMeasurer* measurer);
QString removeRegions(TemplateSetup& s, const QList<int>& rows);

// Ruled lines. Changing several lines asks `confirm` first and then gives them only the
// fields' width and colour; a Cancel changes nothing and returns an empty string.
QString addLine(TemplateSetup& s, const LineFields& f);
QString changeLines(TemplateSetup& s, const QList<int>& rows, const LineFields& f,
                    const Confirm& confirm);
QString removeLines(TemplateSetup& s, const QList<int>& rows);

} // namespace TemplateSetupEdits
