#include "ModeSwitch.h"

#include "model/CORINOTEDoc.h"
#include "model/PageBuilder.h"
#include "model/UndoSnapshots.h"

#include <QCoreApplication>

#include <algorithm>

namespace ModeSwitch {

int selectToolOf(int tool)
{
    switch (tool) {
    case 2: // add a region at a click, by dragging, select regions
    case 8:
    case 3:
        return 3;
    case 4: // draw a ruled line, a ruled-line table, select ruled lines
    case 5:
    case 6:
        return 6;
    default: // the sheet tools
        return 1;
    }
}

void enterTemplateMode(CORINOTEDoc& doc)
{
    doc.selection().clear();
    doc.scalars().currentSheetNo = 1;
    doc.editTool = doc.templateSelectTool;
    doc.templateMode = 1;
    doc.newObjectDefaults().setByPages = false;
}

namespace {

QString noSheetMessage()
{
    return QCoreApplication::translate("ModeSwitch", "シートは必ず1つ以上設定してください。");
}

void buildPages(CORINOTEDoc& doc, const RecordMerger& merger, ProgressReporter* progress)
{
    PageBuilder::buildPageOne(doc);
    doc.selection().clear();
    doc.scalars().currentSheetNo = 1;
    doc.templateMode = 0;
    if (doc.editTool >= 0)
        doc.templateSelectTool = selectToolOf(doc.editTool);
    doc.editTool = -1;
    doc.newObjectDefaults().setByPages = false;
    // A document opened from its file holds its pages but not the record list they were
    // merged from: the reserved records are placed again, so that the trip to template
    // mode does not leave one empty page where addresses were placed.
    if (doc.recordList().recordCount() == 0 && doc.addressBook().reservedCount() > 0 &&
        doc.addressBook().checkPrintLimit().isEmpty()) {
        doc.recordList() = doc.addressBook().buildRecordList(doc.printStartPosition());
        // Placing CSV rows or pictures without keep releases the reservation: this one
        // was made after them and replaces them.
        doc.placementMemory().clear();
    }
    if (merger)
        merger(doc, progress);
    doc.currentPage = std::clamp(doc.currentPage, 1, doc.pageCount());
}

} // namespace

QString enterDataMode(CORINOTEDoc& doc, const RecordMerger& merger, ProgressReporter* progress)
{
    if (doc.labelTemplate().sheets.isEmpty())
        return noSheetMessage();
    // Rebuilding replaces whatever was typed into the pages; one undo brings it back.
    doc.takeUndoSnapshot(QStringLiteral("データモード"));
    buildPages(doc, merger, progress);
    return QString();
}

QString withPagesBuilt(CORINOTEDoc& doc, const RecordMerger& merger, ProgressReporter* progress,
                       const std::function<void()>& command)
{
    if (doc.labelTemplate().sheets.isEmpty())
        return noSheetMessage();
    const Selection selection = doc.selection();
    const int sheetNo = doc.scalars().currentSheetNo;
    const int tool = doc.editTool;
    const int selectTool = doc.templateSelectTool;
    const bool wasModified = doc.isModified();
    // The pages the user had come back afterwards: entering data mode later keeps them in
    // its undo step, as it would have without this command.
    const UndoSnapshots::Step before = UndoSnapshots::capture(doc, QString());
    buildPages(doc, merger, progress);
    command();
    // A save clears the modified flag; nothing else here sets it.
    const bool modified = wasModified && doc.isModified();
    UndoSnapshots::restore(doc, before);
    doc.setModified(modified);
    doc.templateMode = 1;
    doc.editTool = tool;
    doc.templateSelectTool = selectTool;
    doc.scalars().currentSheetNo = sheetNo;
    doc.selection() = selection;
    doc.updateAllViews();
    return QString();
}

} // namespace ModeSwitch
