#include "RecipientFieldCheck.h"

#include "merge/MergeField.h"
#include "model/CORINOTEDoc.h"

#include <QCoreApplication>

#include <algorithm>

QString RecipientFieldCheck::message(const CORINOTEDoc& doc)
{
    const int reserved = doc.addressBook().reservedCount();
    if (reserved == 0)
        return QString();
    const QList<QString>& attributes = doc.labelTemplate().regions.attribute();
    const QString suffix = MergeField::recipientSuffix();
    if (std::any_of(attributes.begin(), attributes.end(),
                    [&suffix](const QString& a) { return a.contains(suffix); }))
        return QString();
    return QCoreApplication::translate(
               "RecipientFieldCheck",
               "テンプレート「%1」には宛先を差し込む領域（氏名(R) など）がないため、"
               "印刷予約した%2件は印刷されません。\n"
               "ファイル → テンプレートファイルを開く で「はがき宛名（縦書き）」などの"
               "テンプレートを開いてください。")
        .arg(doc.scalars().templateName)
        .arg(reserved);
}
