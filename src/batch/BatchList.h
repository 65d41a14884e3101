#pragma once

#include <QDate>
#include <QString>

class CORINOTEDoc;

// "--list-pdf FILE [--group NAME]": the address list of one group (by default every
// group but the senders, as the tab すべて lists them) as a PDF table, as the address
// book window's 住所録リストをPDFに出力 writes it.
namespace BatchList {

// Returns the message for standard error, empty on success.
QString writePdf(CORINOTEDoc& doc, const QString& group, const QString& file, const QDate& today);

} // namespace BatchList
