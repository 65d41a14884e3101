#include "PostalPrintCheck.h"

#include "address/CAddressData.h"
#include "merge/MergeField.h"
#include "model/CORINOTEDoc.h"
#include "postal/CustomerBarcode.h"
#include "postal/PostalCode.h"
#include "postal/PostalData.h"
#include "render/BarcodePainter.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("PostalPrintCheck", text);
}

bool anyBarcode(const QList<PostalPrintCheck::Problem>& problems)
{
    return std::any_of(problems.begin(), problems.end(),
                       [](const PostalPrintCheck::Problem& p) { return p.barcode; });
}

} // namespace

QList<int> PostalPrintCheck::printedColumns(const CORINOTEDoc& doc)
{
    bool personal = false, company = false;
    for (const QString& attribute : doc.labelTemplate().regions.arrays().attribute) {
        const MergeField* field = MergeField::find(attribute);
        if (!field || field->source != MergeField::Source::Recipient)
            continue;
        if (field->kind != MergeField::Kind::PostalCode &&
            field->kind != MergeField::Kind::PostalDigit)
            continue;
        (field->column == CAddressData::CompanyPostalCode ? company : personal) = true;
    }
    QList<int> columns;
    if (personal)
        columns.append(CAddressData::PostalCode);
    if (company)
        columns.append(CAddressData::CompanyPostalCode);
    return columns;
}

QList<PostalPrintCheck::Problem> PostalPrintCheck::problems(const CORINOTEDoc& doc)
{
    QList<Problem> result;
    const QList<int> columns = printedColumns(doc);
    const QList<QString>& attributes = doc.labelTemplate().regions.arrays().attribute;
    const bool barcode = attributes.contains(QStringLiteral("バーコード(R)"));
    const TextRectFamily& regions = doc.labelTemplate().regions;
    for (int i = 0; i < regions.size(); ++i) {
        const TextRect region = regions.at(i);
        if (!CustomerBarcode::isField(region.attribute) || BarcodePainter::fits(region))
            continue;
        Problem p;
        p.name = region.attribute;
        p.barcode = true;
        p.region = i;
        p.reason = tr("幅 %1 mm、高さ %2 mm では8ポイントのバーコードが入りません")
                       .arg(std::abs(region.rect.width()) / 10.0, 0, 'f', 1)
                       .arg(std::abs(region.rect.height()) / 10.0, 0, 'f', 1);
        result.append(p);
    }
    if (columns.isEmpty() && !barcode)
        return result;
    const CAddressData& records = doc.recordList();
    const int n = records.recordCount();
    for (int r = 0; r < n; ++r) {
        const QString entry = records.field(r, CAddressData::EntryNumber);
        const QString name = records.field(r, CAddressData::Name);
        // A blank sheet before the print start position has no record.
        if (entry.isEmpty() && name.isEmpty())
            continue;
        bool named = false;
        for (int column : columns) {
            const QString code = records.field(r, column);
            if (!PostalCode::fillsBoxes(code)) {
                result.append({r, entry, name, code, column == CAddressData::CompanyPostalCode, false, QString()});
                named = named || column == CAddressData::PostalCode;
            }
        }
        if (!barcode || named)
            continue;
        const QString code = records.field(r, CAddressData::PostalCode);
        const CustomerBarcode::Content c = CustomerBarcode::content(
            code,
            CustomerBarcode::joinedAddress(records.field(r, CAddressData::Address1),
                                           records.field(r, CAddressData::Address2),
                                           records.field(r, CAddressData::Address3)),
            &PostalData::table());
        if (c.text.isEmpty())
            result.append({r, entry, name, code, false, true, c.error});
    }
    return result;
}

QString PostalPrintCheck::describe(const Problem& problem)
{
    if (problem.region >= 0)
        return tr("%1の領域 %2（%3）").arg(problem.name).arg(problem.region + 1).arg(problem.reason);
    const QString who = problem.name.isEmpty() ? problem.entryNumber : problem.name;
    if (problem.barcode)
        return tr("%1（バーコードなし: %2）").arg(who, problem.reason);
    if (problem.code.isEmpty())
        return problem.company ? tr("%1（会社郵便番号なし）").arg(who)
                               : tr("%1（郵便番号なし）").arg(who);
    return problem.company ? tr("%1（会社郵便番号 %2）").arg(who, problem.code)
                           : tr("%1（%2）").arg(who, problem.code);
}

int PostalPrintCheck::recordCount(const QList<Problem>& problems)
{
    QSet<int> records;
    for (const Problem& p : problems) {
        if (p.region < 0)
            records.insert(p.record);
    }
    return int(records.size());
}

QString PostalPrintCheck::question(const QList<Problem>& problems, int shown)
{
    if (problems.isEmpty())
        return QString();
    QStringList lines;
    for (int i = 0; i < problems.size() && i < shown; ++i)
        lines.append(describe(problems.at(i)));
    if (problems.size() > shown)
        lines.append(tr("ほか%1件").arg(problems.size() - shown));
    if (recordCount(problems) == 0)
        return tr("バーコードの領域が小さすぎます。このまま印刷しますか？") +
               QStringLiteral("\n\n") + lines.join(u'\n');
    return (anyBarcode(problems)
                ? tr("郵便番号が正しくないか、バーコードを印刷できない宛先が%1件あります。"
                     "このまま印刷しますか？")
                : tr("郵便番号が正しくない宛先が%1件あります。このまま印刷しますか？"))
                   .arg(recordCount(problems)) +
           QStringLiteral("\n\n") + lines.join(u'\n');
}

QString PostalPrintCheck::warning(const QList<Problem>& problems)
{
    if (problems.isEmpty())
        return QString();
    if (recordCount(problems) == 0) {
        QString text = tr("バーコードの領域が小さすぎます（バーコードはなしで印刷されます）。");
        for (const Problem& p : problems)
            text += QStringLiteral("\n  ") + describe(p);
        return text;
    }
    QString text =
        (anyBarcode(problems)
             ? tr("郵便番号が正しくないか、バーコードを印刷できない宛先が%1件あります（郵便番号欄は"
                  "空欄で、バーコードはなしで印刷されます）。")
             : tr("郵便番号が正しくない宛先が%1件あります（郵便番号欄は空欄で印刷されます）。"))
            .arg(recordCount(problems));
    for (const Problem& p : problems)
        text += QStringLiteral("\n  ") + describe(p);
    return text;
}
