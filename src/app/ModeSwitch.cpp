#include "ModeSwitch.h"

#include "model/CORINOTEDoc.h"
#include "model/PageBuilder.h"

#include <QCoreApplication>

#include <algorithm>

namespace ModeSwitch {

void enterTemplateMode(CORINOTEDoc& doc)
{
    doc.selection().clear();
    doc.scalars().currentSheetNo = 1;
    doc.editTool = 0;
    doc.templateMode = 1;
    doc.newObjectDefaults().setByPages = false;
}

QString enterDataMode(CORINOTEDoc& doc, const RecordMerger& merger, ProgressReporter* progress)
{
    if (doc.labelTemplate().sheets.isEmpty())
        return QCoreApplication::translate("ModeSwitch", "シートは必ず1つ以上設定してください。");

    // Rebuilding replaces whatever was typed into the pages; one undo brings it back.
    doc.takeUndoSnapshot();
    PageBuilder::buildPageOne(doc);
    doc.selection().clear();
    doc.scalars().currentSheetNo = 1;
    doc.templateMode = 0;
    doc.editTool = -1;
    doc.newObjectDefaults().setByPages = false;
    if (merger)
        merger(doc, progress);
    doc.currentPage = std::clamp(doc.currentPage, 1, doc.pageCount());
    return QString();
}

} // namespace ModeSwitch
