#include "TemplateFile.h"

#include "CORINOTEDoc.h"
#include "PageBuilder.h"
#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "base/RegularFile.h"
#include "base/SaveTarget.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace TemplateFile {

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("TemplateFile", text);
}

// Sheet rectangles with left <= right and top >= bottom.
void normaliseSheets(SheetFamily& sheets)
{
    for (int i = 0; i < sheets.size(); ++i) {
        Rect r = sheets.rect(i);
        if (r.left > r.right)
            std::swap(r.left, r.right);
        if (r.top < r.bottom)
            std::swap(r.top, r.bottom);
        sheets.setRect(i, r);
    }
}
} // namespace

QString titleOf(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.left(std::max<qsizetype>(0, name.size() - 4));
}

QString read(CLabelSheetTemplate& t, const QString& path, bool* opened)
{
    QFile file(path);
    const bool isOpen = RegularFile::open(file);
    if (opened)
        *opened = isOpen;
    if (!isOpen)
        return tr("ファイルオープン失敗");
    ArchiveReader in(&file);
    if (!t.read(in))
        return tr("テンプレートファイルを最後まで読み込めませんでした。読み込めた部分だけを使います。\n%1")
            .arg(in.error());
    return QString();
}

QString apply(CORINOTEDoc& doc, const QString& path)
{
    // Read into a copy first: a file that cannot be opened changes nothing, and the undo
    // snapshot must hold the template as it was.
    CLabelSheetTemplate t = doc.labelTemplate();
    bool opened = false;
    const QString message = read(t, path, &opened);
    if (!opened)
        return message;
    doc.takeUndoSnapshot(QStringLiteral("テンプレートファイルを開く"));
    doc.labelTemplate() = std::move(t);
    doc.scalars().templateName = titleOf(path);
    normaliseSheets(doc.labelTemplate().sheets);
    PageBuilder::buildPageOne(doc);
    for (int g = 0; g < AddressBook::GroupCount; ++g)
        doc.groupList(g).clear();
    doc.selection().clear();
    doc.scalars().printStartPosition = 1;
    // One print takes at most 500 records, here as everywhere else the reservation is
    // placed: past it the pages stay without records and the user is told why.
    const QString limit = doc.addressBook().checkPrintLimit();
    doc.recordList() = limit.isEmpty() ? doc.addressBook().buildRecordList(1) : CAddressData();
    doc.currentPage = 1;
    doc.setModified(true);
    doc.updateAllViews();
    if (limit.isEmpty())
        return message;
    return message.isEmpty() ? limit : message + QLatin1Char('\n') + limit;
}

WriteResult write(const CLabelSheetTemplate& t, const QString& path, QString* why)
{
    QSaveFile file(path);
    if (const QString refused = SaveTarget::open(file); !refused.isEmpty()) {
        if (why)
            *why = refused;
        return WriteResult::NotOpened;
    }
    ArchiveWriter out(&file);
    t.write(out);
    if (!out.finish() || !file.flush() || !file.commit())
        return WriteResult::NotWritten;
    return WriteResult::Written;
}

QString save(CORINOTEDoc& doc, const QString& path)
{
    doc.takeUndoSnapshot(QStringLiteral("テンプレートデータの保存"));
    QString why;
    switch (write(doc.labelTemplate(), path, &why)) {
    case WriteResult::NotOpened:
        return tr("ファイルオープン失敗") + QLatin1Char('\n') + why;
    case WriteResult::NotWritten:
        return tr("テンプレートファイルの保存に失敗しました。元のファイルは変更されていません。");
    case WriteResult::Written:
        break;
    }
    doc.scalars().templateName = titleOf(path);
    return QString();
}

} // namespace TemplateFile
