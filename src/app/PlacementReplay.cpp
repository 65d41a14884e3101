#include "PlacementReplay.h"

#include "datasource/CsvDataTable.h"
#include "datasource/CsvPlacement.h"
#include "datasource/CsvRecords.h"
#include "model/CORINOTEDoc.h"
#include "pages/Pagination.h"
#include "picprint/PicturePlacement.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("PlacementReplay", text);
}

// The CSV rows again; an empty string, or the message for the user.
// `placed` tells whether the rows went on (pages rebuilt and merged by the placement).
QString replayCsv(CORINOTEDoc& doc, const PlacementMemory::Csv& csv, const QDate& today,
                  const TextMeasurer* measurer, const PlacementReplay::Progress& progress,
                  bool* placed)
{
    const QString name = QFileInfo(csv.path).fileName();
    // Said once: the next rebuild does not ask for the file again.
    if (!QFileInfo::exists(csv.path)) {
        doc.placementMemory().forgetCsv();
        return tr("CSVファイル「%1」が見つからないため、CSVのデータは配置し直していません。")
            .arg(name);
    }
    QStringList lines;
    const QString unread = CsvDataTable::readLines(csv.path, &lines);
    if (!unread.isEmpty()) {
        doc.placementMemory().forgetCsv();
        return tr("CSVファイル「%1」を読み込めないため、CSVのデータは配置し直していません。\n%2")
            .arg(name, unread);
    }
    CsvDataTable table(std::move(lines));
    table.setFirstLineNames(csv.firstLineNames);
    // The file may have been edited since: rows it no longer has are left out.
    QList<int> rows;
    rows.reserve(csv.rows.size());
    for (int row : csv.rows) {
        if (row >= 0 && row < table.rowCount())
            rows.append(row);
    }
    if (csv.asRecords)
        CsvRecords::place(doc, table, rows, today, measurer, progress);
    else
        CsvPlacement::place(doc, table, rows, today, measurer, progress);
    *placed = true;
    const qsizetype lost = csv.rows.size() - rows.size();
    if (lost == 0)
        return QString();
    return tr("CSVファイル「%1」の行が減っているため、%2行は配置し直していません。")
        .arg(name)
        .arg(lost);
}

} // namespace

namespace PlacementReplay {

QString replay(CORINOTEDoc& doc, const QDate& today, const TextMeasurer* measurer,
               const Progress& progress)
{
    // A copy: placing may forget the CSV part of what is remembered.
    const PlacementMemory memory = doc.placementMemory();
    QStringList messages;
    bool placed = false;
    if (memory.csv()) {
        const QString message = replayCsv(doc, *memory.csv(), today, measurer, progress, &placed);
        if (!message.isEmpty())
            messages.append(message);
    }
    // CSV rows build and merge the pages themselves; otherwise the records held (the
    // reservation, or rows whose file is gone) are merged into the pages as rebuilt.
    if (!placed)
        Pagination::mergeHeldRecords(doc, today, measurer, progress);
    for (const PlacementMemory::Pictures& step : memory.pictures()) {
        QList<PicturePlacement::Picture> pictures;
        for (qsizetype i = 0; i < step.names.size() && i < step.paths.size(); ++i)
            pictures.append({step.names.at(i), step.paths.at(i)});
        PicturePlacement::Options options;
        options.target = step.target == int(PicturePlacement::Target::Regions)
                             ? PicturePlacement::Target::Regions
                             : PicturePlacement::Target::Sheets;
        options.keep = step.keep;
        const QString refused =
            PicturePlacement::placeAgain(doc, pictures, options, today, measurer, progress);
        if (!refused.isEmpty())
            messages.append(tr("画像の配置をやり直せませんでした。") + QLatin1Char('\n') + refused);
    }
    return messages.join(QLatin1Char('\n'));
}

} // namespace PlacementReplay
