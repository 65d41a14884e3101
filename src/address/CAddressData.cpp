#include "CAddressData.h"

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"

#include <algorithm>

namespace {

const char16_t* const kTitles[CAddressData::ColumnCount] = {
    u"登録番号", u"郵便番号", u"住所1", u"住所2", u"住所3", u"氏名", u"敬称", u"フリガナ",
    u"関係", u"連名1", u"敬称1", u"連名2", u"敬称2", u"連名3", u"敬称3", u"連名4", u"敬称4",
    u"連名5", u"敬称5", u"電話番号1", u"電話番号2", u"携帯電話1", u"携帯電話2", u"FAX",
    u"E-メール1", u"E-メール2", u"携帯電話メール1", u"携帯電話メール2", u"URL",
    u"会社郵便番号", u"性別", u"生年月日", u"年齢", u"", u"備考1", u"備考2", u"画像", u"", u"",
    u"", u"会社", u"会社住所1", u"会社住所2", u"会社住所3", u"部署", u"役職", u"会社電話1",
    u"会社電話2", u"会社FAX", u"会社E-メール", u"会社URL", u"", u"", u"件名", u"日付", u"備考",
};

} // namespace

QString CAddressData::columnTitle(int column)
{
    if (column < 0 || column >= ColumnCount)
        return QString();
    return QString::fromUtf16(kTitles[column]);
}

int CAddressData::columnForTitle(const QString& title)
{
    if (title.isEmpty())
        return -1;
    for (int c = 0; c < TextColumnCount; ++c) {
        if (title == QStringView(kTitles[c]))
            return c;
    }
    return -1;
}

bool CAddressData::isReservedColumn(int column)
{
    return column == 33 || column == 37 || column == 38 || column == 39;
}

int CAddressData::recordCount() const
{
    int n = int(mFlags.size());
    for (int c = 0; c < TextColumnCount; ++c) {
        if (!isReservedColumn(c))
            n = std::max(n, mText[size_t(c)].size());
    }
    return n;
}

TextColumn& CAddressData::column(int c)
{
    return c < TextColumnCount ? mText[size_t(c)] : mHistory[size_t(c - HistoryKey)];
}

const TextColumn* CAddressData::columnOrNull(int c) const
{
    if (c >= 0 && c < TextColumnCount)
        return &mText[size_t(c)];
    if (c >= HistoryKey && c < ColumnCount)
        return &mHistory[size_t(c - HistoryKey)];
    return nullptr;
}

QStringList CAddressData::textColumn(int c) const
{
    const TextColumn* col = columnOrNull(c);
    return col ? col->toList() : QStringList();
}

int CAddressData::columnSize(int c) const
{
    const TextColumn* col = columnOrNull(c);
    return col ? col->size() : 0;
}

QString CAddressData::field(int record, int c) const
{
    if (c < 0 || c >= TextColumnCount)
        return QString();
    return mText[size_t(c)].at(record);
}

QStringView CAddressData::fieldView(int record, int c) const
{
    if (c < 0 || c >= TextColumnCount)
        return QStringView();
    return mText[size_t(c)].view(record);
}

void CAddressData::setField(int record, int c, const QString& value)
{
    if (c < 0 || c >= TextColumnCount || record < 0)
        return;
    TextColumn& col = mText[size_t(c)];
    if (col.size() <= record)
        col.resize(record + 1);
    col.set(record, value);
}

qint32 CAddressData::flag(int record) const
{
    return record >= 0 && record < mFlags.size() ? mFlags.at(record) : 0;
}

void CAddressData::setFlag(int record, qint32 value)
{
    if (record < 0)
        return;
    if (mFlags.size() <= record)
        mFlags.resize(record + 1);
    mFlags[record] = value;
}

void CAddressData::appendRecord(const QStringList& values)
{
    const int at = recordCount();
    for (int c = 0; c < TextColumnCount; ++c) {
        if (isReservedColumn(c))
            continue;
        TextColumn& col = mText[size_t(c)];
        col.resize(at); // pads a short column of a foreign file
        col.append(c < values.size() ? QStringView(values.at(c)) : QStringView());
    }
    mFlags.resize(at);
    mFlags.append(0);
}

void CAddressData::appendRecordFrom(const CAddressData& other, int record)
{
    QStringList values;
    values.reserve(TextColumnCount);
    for (int c = 0; c < TextColumnCount; ++c)
        values.append(other.field(record, c));
    appendRecord(values);
    mFlags.last() = other.flag(record);
}

void CAddressData::appendBlankRecord()
{
    appendRecord(QStringList());
}

void CAddressData::removeRecord(int record)
{
    if (record < 0 || record >= recordCount())
        return;
    const QString key = field(record, EntryNumber);
    for (int c = 0; c < TextColumnCount; ++c) {
        if (isReservedColumn(c))
            continue;
        mText[size_t(c)].removeAt(record);
    }
    if (record < mFlags.size())
        mFlags.removeAt(record);
    if (key.isEmpty())
        return;
    for (int row = historyCount() - 1; row >= 0; --row) {
        if (history(row, HistoryKey) == key)
            removeHistory(row);
    }
}

void CAddressData::removeAll()
{
    for (TextColumn& col : mText)
        col.clear();
    mFlags.clear();
    for (TextColumn& col : mHistory)
        col.clear();
}

int CAddressData::historyCount() const
{
    int n = 0;
    for (const TextColumn& col : mHistory)
        n = std::max(n, col.size());
    return n;
}

QString CAddressData::history(int row, int c) const
{
    if (c < HistoryKey || c >= ColumnCount)
        return QString();
    return mHistory[size_t(c - HistoryKey)].at(row);
}

void CAddressData::appendHistory(const QString& key, const QString& subject,
                                 const QString& date, const QString& note)
{
    const int at = historyCount();
    const QString values[HistoryColumnCount] = {key, subject, date, note};
    for (int i = 0; i < HistoryColumnCount; ++i) {
        mHistory[size_t(i)].resize(at);
        mHistory[size_t(i)].append(values[i]);
    }
}

void CAddressData::removeHistory(int row)
{
    for (TextColumn& col : mHistory)
        col.removeAt(row);
}

void CAddressData::read(ArchiveReader& in)
{
    removeAll();
    for (int c = 0; c < ColumnCount && in.ok(); ++c) {
        if (c == Flag) {
            mFlags = in.readIntArray();
            continue;
        }
        // Strings go straight into the packed column; a failure keeps what was read.
        TextColumn& col = column(c);
        const quint32 n = in.readCount(1);
        if (in.sizeKnown())
            col.reserve(int(n), 0);
        QString s;
        for (quint32 i = 0; i < n; ++i) {
            in.readString(s);
            if (!in.ok())
                break;
            col.append(s);
        }
    }
}

void CAddressData::write(ArchiveWriter& out) const
{
    for (int c = 0; c < ColumnCount; ++c) {
        if (c == Flag) {
            out.writeIntArray(mFlags);
            continue;
        }
        const TextColumn& col = *columnOrNull(c);
        out.writeCount(quint32(col.size()));
        for (int i = 0; i < col.size(); ++i)
            out.writeString(col.view(i));
    }
}

bool operator==(const CAddressData& a, const CAddressData& b)
{
    return a.mText == b.mText && a.mFlags == b.mFlags && a.mHistory == b.mHistory;
}
