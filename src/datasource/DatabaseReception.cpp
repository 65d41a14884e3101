#include "DatabaseReception.h"

#include "DatabaseExchangeFile.h"

#include "model/CORINOTEDoc.h"

#include <QCoreApplication>
#include <QFile>

namespace DatabaseReception {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("DatabaseReception", text);
}

QString refusal()
{
    return tr("データベースのデータを受信できません。");
}

// Whether the strings have a sheet to go to: data mode and a current sheet of the pages.
bool hasCurrentSheet(const CORINOTEDoc& doc)
{
    const int sheet = doc.scalars().currentSheetNo;
    return doc.templateMode == 0 && sheet >= 1 && sheet <= doc.sheets().size();
}

QList<int> regionsOfSheet(const CORINOTEDoc& doc, int sheet)
{
    QList<int> out;
    const TextRectFamily& regions = doc.textRects();
    for (int i = 0; i < regions.size(); ++i) {
        if (regions.sheetNo(i) == sheet)
            out.append(i);
    }
    return out;
}

// Why the strings cannot go into `regions`, the current sheet's regions; or empty.
QString check(const CORINOTEDoc& doc, const QStringList& strings, qsizetype regions)
{
    if (!hasCurrentSheet(doc))
        return refusal();
    if (strings.size() > regions) {
        return tr("受信した文字列は%1個ですが、現在のシートの文字列編集領域は%2個です。"
                  "テンプレートに文字列編集領域を追加してから受信しなおしてください。")
            .arg(strings.size())
            .arg(regions);
    }
    return QString();
}

} // namespace

bool asksFirst(const CORINOTEDoc& doc)
{
    return !doc.textRects().isEmpty();
}

QString question()
{
    return tr("現在のシートの文字列は消去されますがよろしいですか？");
}

QString receive(CORINOTEDoc& doc)
{
    doc.takeUndoSnapshot(QStringLiteral("データベース"));
    // Checked before the file is read, so that a refused command leaves it in place.
    if (!hasCurrentSheet(doc))
        return refusal();
    const QString path = DatabaseExchangeFile::filePath(doc.dataFolder);
    QStringList strings;
    const QString message = DatabaseExchangeFile::load(path, strings);
    if (!message.isEmpty())
        return message;
    const QString placed = place(doc, strings);
    if (placed.isEmpty())
        QFile::remove(path);
    return placed;
}

QString place(CORINOTEDoc& doc, const QStringList& strings)
{
    const int sheet = doc.scalars().currentSheetNo;
    const QList<int> own = regionsOfSheet(doc, sheet);
    const QString refused = check(doc, strings, own.size());
    if (!refused.isEmpty())
        return refused;
    TextRectFamily& regions = doc.textRects();
    for (int k = 0; k < own.size(); ++k) {
        const int i = own.at(k);
        const QString text = k < strings.size() ? strings.at(k) : QString();
        const TextRect received = doc.importedTextRegion(text, sheet, regions.rect(i), sheet);
        regions.removeAt(i);
        regions.insert(i, received);
    }
    doc.selection().clear();
    doc.setModified(true);
    doc.updateAllViews();
    return QString();
}

} // namespace DatabaseReception
