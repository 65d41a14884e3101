#include "BatchCsv.h"

#include "datasource/CsvDataTable.h"
#include "datasource/CsvPlacement.h"
#include "datasource/CsvRecords.h"
#include "model/CORINOTEDoc.h"
#include "render/FontTextMeasurer.h"

#include <QCoreApplication>
#include <QDate>

#include <cstdio>
#include <vector>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("BatchCsv", text);
}

} // namespace

namespace BatchCsv {

QList<int> parseRows(const QString& list, int rowCount, QString* error)
{
    std::vector<bool> named(size_t(std::max(rowCount, 0)), list.trimmed().isEmpty());
    const auto fail = [&](const QString& part) {
        if (error)
            *error = tr("行の指定が正しくありません: %1").arg(part);
        return QList<int>();
    };
    if (!list.trimmed().isEmpty()) {
        for (const QString& raw : list.split(QLatin1Char(','))) {
            const QString part = raw.trimmed();
            const qsizetype dash = part.indexOf(QLatin1Char('-'));
            bool okFrom = true;
            bool okTo = true;
            int from = 0;
            int to = 0;
            if (dash < 0) {
                from = to = part.toInt(&okFrom);
            } else {
                const QString a = part.left(dash).trimmed();
                const QString b = part.mid(dash + 1).trimmed();
                from = a.isEmpty() ? 1 : a.toInt(&okFrom);
                to = b.isEmpty() ? rowCount : b.toInt(&okTo);
            }
            if (part.isEmpty() || !okFrom || !okTo || from < 1 || to < from || to > rowCount)
                return fail(part.isEmpty() ? list : part);
            for (int r = from; r <= to; ++r)
                named[size_t(r - 1)] = true;
        }
    }
    QList<int> rows;
    for (int r = 0; r < rowCount; ++r) {
        if (named[size_t(r)])
            rows.append(r);
    }
    return rows;
}

QString place(CORINOTEDoc& doc, const QString& file, const QString& rows, bool firstLineNames,
              bool asRecords, const QDate& today)
{
    if (doc.labelTemplate().sheets.isEmpty())
        return tr("シートは必ず1つ以上設定してください。");
    QStringList lines;
    const QString message = CsvDataTable::readLines(file, &lines);
    if (!message.isEmpty())
        return QStringLiteral("%1: %2").arg(file, message);
    CsvDataTable table(std::move(lines));
    if (const QString cut = table.longCellsMessage(); !cut.isEmpty())
        std::fprintf(stderr, "orinote-batch: %s: %s\n", qPrintable(file), qPrintable(cut));
    table.setFirstLineNames(firstLineNames);
    QString error;
    const QList<int> chosen = parseRows(rows, table.rowCount(), &error);
    if (!error.isEmpty())
        return error;
    const QString refusal = CsvPlacement::checkSelection(chosen.size());
    if (!refusal.isEmpty())
        return QStringLiteral("%1: %2").arg(file, refusal);

    // A misspelt name prints empty labels; the script's user is told, and the run goes on
    // as the window's does.
    const QStringList missing = CsvPlacement::missingNames(doc, table);
    if (!missing.isEmpty()) {
        std::fprintf(stderr, "orinote-batch: %s\n",
                     qPrintable(CsvPlacement::missingNamesMessage(missing)));
    }
    doc.takeUndoSnapshot();
    const FontTextMeasurer measurer;
    if (asRecords && firstLineNames)
        CsvRecords::place(doc, table, chosen, today, &measurer);
    else
        CsvPlacement::place(doc, table, chosen, today, &measurer);
    return QString();
}

} // namespace BatchCsv
