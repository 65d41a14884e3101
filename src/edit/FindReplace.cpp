#include "FindReplace.h"

#include "TextAttributes.h"

#include "model/CORINOTEDoc.h"
#include "render/RegionFitter.h"

#include <QCoreApplication>

namespace {

// What a region shows: its attribute in the template, its text in data mode.
QString textOf(const CORINOTEDoc& doc, int i)
{
    const TextRectFamily& r = TextAttributes::regions(doc);
    return doc.templateMode ? r.attribute(i) : r.text(i);
}

} // namespace

bool FindReplace::findNext(CORINOTEDoc& doc, const QString& find)
{
    const bool found = advance(doc, find);
    doc.updateAllViews();
    return found;
}

bool FindReplace::advance(CORINOTEDoc& doc, const QString& find)
{
    const TextRectFamily& r = TextAttributes::regions(doc);
    int found = -1;
    for (int i = mPosition + 1; i < r.size(); ++i) {
        if (textOf(doc, i).contains(find)) {
            found = i;
            break;
        }
    }
    mPosition = found;
    doc.selection().textRect = found;
    if (found >= 0 && !doc.templateMode && doc.sheetsPerPage() > 0 && doc.regionsPerSheet() > 0)
        doc.currentPage = found / (doc.sheetsPerPage() * doc.regionsPerSheet()) + 1;
    return found >= 0;
}

bool FindReplace::replaceAt(CORINOTEDoc& doc, const QString& find, const QString& replacement,
                            const TextMeasurer* measurer)
{
    TextRectFamily& r = TextAttributes::regions(doc);
    if (mPosition < 0 || mPosition >= r.size() || find.isEmpty())
        return false;
    QString text = textOf(doc, mPosition);
    if (!text.contains(find))
        return false;
    text.replace(find, replacement);
    if (doc.templateMode)
        r.setAttribute(mPosition, text);
    else
        r.setText(mPosition, text);
    const bool placeholder = text.contains(QLatin1String("(S)")) ||
                             text.contains(QLatin1String("(R)"));
    const int action = doc.templateMode ? (placeholder ? 0 : doc.environment().fitTemplate)
                                        : doc.environment().fitData;
    if (action == RegionFitter::Shrink || action == RegionFitter::Enlarge) {
        Rect rect = r.rect(mPosition);
        FontRecord font = r.font(mPosition);
        if (RegionFitter::fit(text, rect, font, r.charSpacing(mPosition), action, measurer)) {
            r.setRect(mPosition, rect);
            r.setFont(mPosition, font);
        }
    }
    doc.setModified();
    return true;
}

bool FindReplace::replace(CORINOTEDoc& doc, const QString& find, const QString& replacement,
                          const TextMeasurer* measurer)
{
    if (mPosition >= 0 && !find.isEmpty() && textOf(doc, mPosition).contains(find)) {
        doc.takeUndoSnapshot(QStringLiteral("置換"));
        replaceAt(doc, find, replacement, measurer);
    }
    return findNext(doc, find);
}

int FindReplace::replaceAll(CORINOTEDoc& doc, const QString& find, const QString& replacement,
                            const TextMeasurer* measurer)
{
    if (find.isEmpty())
        return 0;
    bool snapshot = false;
    int count = 0;
    do {
        if (mPosition >= 0 && textOf(doc, mPosition).contains(find)) {
            if (!snapshot) {
                doc.takeUndoSnapshot(QStringLiteral("置換"));
                snapshot = true;
            }
            if (replaceAt(doc, find, replacement, measurer))
                ++count;
        }
    } while (advance(doc, find));
    // One redraw for the whole run: every view refills its lists on a change.
    doc.updateAllViews();
    return count;
}

QString FindReplace::notFound()
{
    return QCoreApplication::translate("FindReplace", "指定された文字列が見つかりませんでした。");
}

QString FindReplace::replaced(int count)
{
    return QCoreApplication::translate("FindReplace", "%1個のアイテムを置換しました。").arg(count);
}
