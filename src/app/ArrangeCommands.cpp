#include "ArrangeCommands.h"

#include "CommandIds.h"

#include "edit/GroupArrange.h"
#include "edit/LineArrange.h"
#include "edit/PictureFit.h"
#include "edit/RegionTurn.h"
#include "edit/SheetCopies.h"
#include "edit/TextAttributes.h"
#include "model/CORINOTEDoc.h"
#include "model/PageObjects.h"

using namespace CommandIds;

namespace ArrangeCommands {

namespace {

using GroupArrange::Align;

struct AlignCommand
{
    int sheet;
    int region;
    Align how;
};

constexpr AlignCommand kAlign[] = {
    {SheetAlignLeft, RegionAlignLeft, Align::Left},
    {SheetAlignCentre, RegionAlignCentre, Align::HorizontalCentre},
    {SheetAlignRight, RegionAlignRight, Align::Right},
    {SheetAlignTop, RegionAlignTop, Align::Top},
    {SheetAlignMiddle, RegionAlignMiddle, Align::VerticalCentre},
    {SheetAlignBottom, RegionAlignBottom, Align::Bottom},
    {SheetSameWidth, RegionSameWidth, Align::SameWidth},
    {SheetSameHeight, RegionSameHeight, Align::SameHeight},
    {SheetSameBoth, RegionSameBoth, Align::SameSize},
};

const AlignCommand* alignOf(int command)
{
    for (const AlignCommand& a : kAlign)
        if (a.sheet == command || a.region == command)
            return &a;
    return nullptr;
}

// The name of the undo step a command takes: what it did, as the 編集 menu shows it.
QString stepName(int command)
{
    switch (command) {
    case SheetCentreHorizontally:
    case SheetCentreVertically:
    case RegionCentreHorizontally:
    case RegionCentreVertically:
    case LineCentreHorizontally:
    case LineCentreVertically:
        return QStringLiteral("中央に配置");
    case RegionDistributeHorizontally:
    case RegionDistributeVertically:
        return QStringLiteral("均等に配置");
    case RegionRotateRight:
    case RegionRotateLeft:
        return QStringLiteral("90度回転");
    case SheetPictureRotateRight:
    case SheetPictureRotateLeft:
    case RegionPictureRotateRight:
    case RegionPictureRotateLeft:
        return QStringLiteral("背景画像の回転");
    case SheetsAlike:
        return QStringLiteral("すべてのシートを同じ設定にする");
    case LineAutoPlace:
        return QStringLiteral("罫線の自動配置");
    default:
        return QStringLiteral("整列");
    }
}

bool sheetTool(const CORINOTEDoc& d)
{
    return d.templateMode && d.editTool == 1;
}

bool regionsEdited(const CORINOTEDoc& d)
{
    return !d.templateMode || d.editTool == 3;
}

bool linesEdited(const CORINOTEDoc& d)
{
    return !d.templateMode || d.editTool == 6;
}

PageObjects pageOf(const CORINOTEDoc& d)
{
    return PageObjects::of(d, d.templateMode ? 1 : d.currentPage);
}

bool regionSelected(const CORINOTEDoc& d)
{
    return TextAttributes::selected(d) >= 0;
}

bool sheetSelected(const CORINOTEDoc& d)
{
    return d.templateMode && pageOf(d).hasSheet(d.selection().sheet);
}

bool regionHasPicture(const CORINOTEDoc& d)
{
    const int i = TextAttributes::selected(d);
    return i >= 0 && !TextAttributes::regions(d).backPicture(i).isEmpty();
}

bool sheetHasPicture(const CORINOTEDoc& d)
{
    const int i = RegionTurn::pictureSheet(d);
    const SheetFamily& s = d.templateMode ? d.labelTemplate().sheets : d.sheets();
    return i >= 0 && !s.backPicture(i).isEmpty();
}

} // namespace

const QList<int>& commands()
{
    static const QList<int> all = [] {
        QList<int> c;
        for (const AlignCommand& a : kAlign)
            c << a.sheet << a.region;
        c << SheetCentreHorizontally << SheetCentreVertically << RegionCentreHorizontally
          << RegionCentreVertically << LineCentreHorizontally << LineCentreVertically
          << LineDistribute << RegionDistributeHorizontally << RegionDistributeVertically
          << SheetFitPictureKeepHeight << SheetFitPictureKeepWidth << RegionFitPictureKeepHeight
          << RegionFitPictureKeepWidth << SheetSplit << RegionSplit << RegionRotateRight
          << RegionRotateLeft << SheetPictureRotateRight << SheetPictureRotateLeft
          << RegionPictureRotateRight << RegionPictureRotateLeft << SheetsAlike << LineAutoPlace
          << SheetPosition << RegionPosition << LinePosition;
        return c;
    }();
    return all;
}

bool handles(int command)
{
    return commands().contains(command);
}

bool needsDialog(int command)
{
    switch (command) {
    case SheetSplit:
    case RegionSplit:
    case SheetPosition:
    case RegionPosition:
    case LinePosition:
        return true;
    default:
        return false;
    }
}

bool isEnabled(int command, const CORINOTEDoc& d)
{
    const Selection& s = d.selection();
    if (const AlignCommand* a = alignOf(command))
        return s.group.size() > 1 && (command == a->sheet) == sheetTool(d);
    switch (command) {
    case SheetCentreHorizontally:
    case SheetCentreVertically:
        return sheetTool(d) && (!s.group.isEmpty() || sheetSelected(d));
    case RegionCentreHorizontally:
    case RegionCentreVertically:
        return regionsEdited(d) && (!s.group.isEmpty() || regionSelected(d));
    case LineCentreHorizontally:
    case LineCentreVertically:
        return linesEdited(d) && !s.keisenns.isEmpty();
    case LineDistribute:
        return d.templateMode && d.editTool == 6 && s.keisenns.size() > 2;
    case RegionDistributeHorizontally:
    case RegionDistributeVertically:
        return s.group.size() >= 3;
    case SheetFitPictureKeepHeight:
    case SheetFitPictureKeepWidth:
        return sheetTool(d) && sheetSelected(d) &&
               !d.labelTemplate().sheets.backPicture(s.sheet).isEmpty();
    case RegionFitPictureKeepHeight:
    case RegionFitPictureKeepWidth:
        return regionsEdited(d) && regionHasPicture(d);
    case SheetSplit:
        return sheetSelected(d);
    case RegionSplit:
        return d.templateMode && regionSelected(d);
    case RegionRotateRight:
    case RegionRotateLeft:
        return regionSelected(d);
    case SheetPictureRotateRight:
    case SheetPictureRotateLeft:
        return sheetHasPicture(d);
    case RegionPictureRotateRight:
    case RegionPictureRotateLeft:
        return regionHasPicture(d);
    case SheetsAlike:
        return d.templateMode && d.labelTemplate().sheets.size() > 1;
    case LineAutoPlace:
        return d.templateMode && d.labelTemplate().sheets.size() > 1 &&
               !d.labelTemplate().keisenns.isEmpty();
    case SheetPosition:
    case RegionPosition:
    case LinePosition:
        return true;
    default:
        return false;
    }
}

QString run(int command, CORINOTEDoc& d)
{
    if (!isEnabled(command, d) || needsDialog(command))
        return QString();
    QString message;
    // The two commands that can refuse check before they take their snapshot.
    switch (command) {
    case LineDistribute:
        message = LineArrange::distribute(d);
        break;
    case SheetFitPictureKeepHeight:
    case RegionFitPictureKeepHeight:
        message = PictureFit::fit(d, true);
        break;
    case SheetFitPictureKeepWidth:
    case RegionFitPictureKeepWidth:
        message = PictureFit::fit(d, false);
        break;
    default:
        d.takeUndoSnapshot(stepName(command));
        if (const AlignCommand* a = alignOf(command)) {
            GroupArrange::align(d, a->how);
            break;
        }
        switch (command) {
        case SheetCentreHorizontally:
        case SheetCentreVertically:
            GroupArrange::centreOnPaper(d, ObjectRef::SheetKind,
                                        command == SheetCentreHorizontally);
            break;
        case RegionCentreHorizontally:
        case RegionCentreVertically:
            GroupArrange::centreOnPaper(d, ObjectRef::TextRectKind,
                                        command == RegionCentreHorizontally);
            break;
        case LineCentreHorizontally:
        case LineCentreVertically:
            LineArrange::centreOnPaper(d, command == LineCentreHorizontally);
            break;
        case RegionDistributeHorizontally:
        case RegionDistributeVertically:
            GroupArrange::distribute(d, command == RegionDistributeHorizontally);
            break;
        case RegionRotateRight:
        case RegionRotateLeft:
            RegionTurn::turnRegion(d, command == RegionRotateRight);
            break;
        case SheetPictureRotateRight:
        case SheetPictureRotateLeft:
            RegionTurn::turnSheetPicture(d, command == SheetPictureRotateRight);
            break;
        case RegionPictureRotateRight:
        case RegionPictureRotateLeft:
            RegionTurn::turnRegionPicture(d, command == RegionPictureRotateRight);
            break;
        case SheetsAlike:
            SheetCopies::allAlike(d);
            break;
        case LineAutoPlace:
            LineArrange::intoEverySheet(d);
            break;
        default:
            break;
        }
        break;
    }
    if (message.isEmpty()) {
        d.setModified();
        d.updateAllViews();
    }
    return message;
}

} // namespace ArrangeCommands
