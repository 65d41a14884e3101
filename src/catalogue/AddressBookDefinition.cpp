#include "AddressBookDefinition.h"

#include "DefinitionFile.h"

#include "address/AddressBook.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QJsonArray>

namespace AddressBookDefinition {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("AddressBookDefinition", text);
}

const QString kReserved = QStringLiteral("予約");
const QString kHistory = QStringLiteral("履歴");

int groupForLabel(const QString& label)
{
    for (int g = 0; g < AddressBook::GroupCount; ++g) {
        if (AddressBook::groupLabel(g) == label)
            return g;
    }
    return -1;
}

bool readHistory(const QJsonValue& value, const QString& entry, const QString& where,
                 CAddressData& group, QString* error)
{
    if (!value.isArray()) {
        *error = tr("%1: 履歴は配列で指定してください。").arg(where);
        return false;
    }
    const QJsonArray rows = value.toArray();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString rowWhere = QStringLiteral("%1.%2[%3]").arg(where, kHistory).arg(i);
        const QJsonObject row = rows.at(i).toObject();
        const QString subject = QStringLiteral("件名");
        const QString date = QStringLiteral("日付");
        const QString note = QStringLiteral("備考");
        if (!rows.at(i).isObject() ||
            !DefinitionFile::onlyKeys(row, {subject, date, note}, rowWhere, error))
            return false;
        for (const QString& key : {subject, date, note}) {
            if (row.contains(key) && !row.value(key).isString()) {
                *error = tr("%1.%2: 文字列を指定してください。").arg(rowWhere, key);
                return false;
            }
        }
        const QString day = row.value(date).toString();
        if (!day.isEmpty() && !QDate::fromString(day, QStringLiteral("yyyy/MM/dd")).isValid()) {
            *error = tr("%1.%2: 日付は YYYY/MM/DD で指定してください。").arg(rowWhere, date);
            return false;
        }
        group.appendHistory(entry, row.value(subject).toString(), day, row.value(note).toString());
    }
    return true;
}

bool readRecord(const QJsonValue& value, int g, const QString& where, AddressBook& book,
                QString* error)
{
    if (!value.isObject()) {
        *error = tr("%1: レコードはオブジェクトで指定してください。").arg(where);
        return false;
    }
    const QJsonObject record = value.toObject();
    QStringList values(CAddressData::TextColumnCount);
    bool reserved = false;
    for (auto it = record.begin(); it != record.end(); ++it) {
        const QString& key = it.key();
        if (key == kReserved) {
            if (!it.value().isBool()) {
                *error = tr("%1.%2: true か false を指定してください。").arg(where, key);
                return false;
            }
            reserved = it.value().toBool();
            continue;
        }
        if (key == kHistory)
            continue; // read once the record has its entry number
        const int column = CAddressData::columnForTitle(key);
        if (column == CAddressData::EntryNumber) {
            *error = tr("%1: 登録番号は自動で付けるので指定できません。").arg(where);
            return false;
        }
        if (column < 0) {
            *error = tr("%1: 不明なキー「%2」があります。").arg(where, key);
            return false;
        }
        if (!it.value().isString()) {
            *error = tr("%1.%2: 文字列を指定してください。").arg(where, key);
            return false;
        }
        values[column] = it.value().toString();
    }
    const QString birth = values.at(CAddressData::BirthDate);
    if (!birth.isEmpty() && !QDate::fromString(birth, QStringLiteral("yyyy/MM/dd")).isValid()) {
        *error = tr("%1.生年月日: 日付は YYYY/MM/DD で指定してください。").arg(where);
        return false;
    }
    CAddressData& group = book.group(g);
    values[CAddressData::EntryNumber] = book.nextEntryNumber(g);
    group.appendRecord(values);
    group.setFlag(group.recordCount() - 1, reserved ? 1 : 0);
    if (record.contains(kHistory))
        return readHistory(record.value(kHistory), values.at(CAddressData::EntryNumber), where,
                           group, error);
    return true;
}

} // namespace

bool fromJson(const QJsonObject& json, AddressBook* out, QString* error)
{
    if (!DefinitionFile::onlyKeys(json, {QStringLiteral("groups")}, QStringLiteral("住所録"),
                                  error))
        return false;
    const QJsonValue groupsValue = json.value(QLatin1String("groups"));
    if (!groupsValue.isObject()) {
        *error = tr("\"groups\": グループ名をキーとするオブジェクトを指定してください。");
        return false;
    }
    const QJsonObject groups = groupsValue.toObject();
    AddressBook book;
    for (auto it = groups.begin(); it != groups.end(); ++it) {
        const int g = groupForLabel(it.key());
        if (g < 0) {
            *error = tr("\"groups\": 「%1」というグループはありません。").arg(it.key());
            return false;
        }
        const QJsonArray records = it.value().toArray();
        if (!it.value().isArray() || records.size() > MaxRecordsPerGroup) {
            *error = tr("%1: %2 件までのレコードの配列を指定してください。")
                         .arg(it.key())
                         .arg(MaxRecordsPerGroup);
            return false;
        }
        for (qsizetype i = 0; i < records.size(); ++i) {
            const QString where = QStringLiteral("%1[%2]").arg(it.key()).arg(i);
            if (!readRecord(records.at(i), g, where, book, error))
                return false;
        }
    }
    *out = std::move(book);
    return true;
}

bool load(const QString& path, AddressBook* out, QString* error)
{
    QJsonObject json;
    if (!DefinitionFile::readObject(path, MaxFileSize, &json, error))
        return false;
    if (!fromJson(json, out, error)) {
        *error = QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), *error);
        return false;
    }
    return true;
}

} // namespace AddressBookDefinition
