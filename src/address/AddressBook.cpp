#include "AddressBook.h"

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "base/RegularFile.h"
#include "base/SaveTarget.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <limits>

namespace {

struct GroupName
{
    const char16_t* label;
    const char16_t* prefix;
};

const GroupName kGroups[AddressBook::GroupCount] = {
    {u"あ", u"A-"},     {u"か", u"KA-"},    {u"さ", u"SA-"},    {u"た", u"TA-"},
    {u"な", u"NA-"},    {u"は", u"HA-"},    {u"ま", u"MA-"},    {u"や", u"YA-"},
    {u"ら", u"RA-"},    {u"わ", u"WA-"},    {u"ABC", u"ABC-"},  {u"DEF", u"DEF-"},
    {u"GHI", u"GHI-"},  {u"JKL", u"JKL-"},  {u"MNO", u"MNO-"},  {u"PQR", u"PQR-"},
    {u"STU", u"STU-"},  {u"VWX", u"VWX-"},  {u"YZ", u"YZ-"},    {u"差出人", u"SENDER-"},
};

QString tr(const char* text)
{
    return QCoreApplication::translate("AddressBook", text);
}

} // namespace

QString AddressBook::groupLabel(int group)
{
    return group >= 0 && group < GroupCount ? QString::fromUtf16(kGroups[group].label)
                                            : QString();
}

QString AddressBook::entryPrefix(int group)
{
    return group >= 0 && group < GroupCount ? QString::fromUtf16(kGroups[group].prefix)
                                            : QString();
}

void AddressBook::clear()
{
    for (CAddressData& g : mGroups)
        g.removeAll();
}

qint64 AddressBook::nextEntrySequence(int g) const
{
    const QString prefix = entryPrefix(g);
    const CAddressData& data = group(g);
    qint64 largest = 0;
    for (int i = 0; i < data.recordCount(); ++i) {
        const QString number = data.field(i, CAddressData::EntryNumber);
        if (!number.startsWith(prefix))
            continue;
        bool ok = false;
        const qint64 n = QStringView(number).mid(prefix.size()).toLongLong(&ok);
        if (ok && n > largest)
            largest = n;
    }
    // A book from elsewhere may already hold the largest number there is.
    return largest < std::numeric_limits<qint64>::max() ? largest + 1 : 0;
}

bool AddressBook::isEmpty() const
{
    return std::all_of(mGroups.begin(), mGroups.end(),
                       [](const CAddressData& g) { return g.recordCount() == 0; });
}

QString AddressBook::nextEntryNumber(int g) const
{
    const qint64 next = nextEntrySequence(g);
    return next > 0 ? entryPrefix(g) + QString::number(next) : QString();
}

CAddressData AddressBook::buildRecordList(int printStartPosition) const
{
    CAddressData list;
    for (int i = 1; i < printStartPosition; ++i)
        list.appendBlankRecord();
    for (int g = 0; g < SenderGroup; ++g) {
        const CAddressData& data = group(g);
        const int n = data.recordCount();
        for (int i = 0; i < n; ++i) {
            if (data.flag(i) != 0)
                list.appendRecordFrom(data, i);
        }
    }
    return list;
}

void AddressBook::read(ArchiveReader& in)
{
    for (CAddressData& g : mGroups) {
        if (!in.ok())
            break;
        g.read(in);
    }
}

void AddressBook::write(ArchiveWriter& out) const
{
    for (const CAddressData& g : mGroups)
        g.write(out);
}

int AddressBook::reservedCount() const
{
    int count = 0;
    for (int g = 0; g < SenderGroup; ++g) {
        for (qint32 flag : group(g).flags())
            count += flag != 0 ? 1 : 0;
    }
    return count;
}

QString AddressBook::checkPrintLimit() const
{
    return reservedCount() > PrintLimit ? tr("一度に印刷できる住所録データは500件までです。")
                                        : QString();
}

QString AddressBook::loadFile(const QString& path)
{
    QFile file(path);
    if (!RegularFile::open(file))
        return tr("ファイルオープン失敗");
    // Read into a copy: a file that turns out to be none changes nothing.
    AddressBook loaded = *this;
    ArchiveReader in(&file);
    loaded.read(in);
    // Zeros read as a valid empty book: what a crash during a copy leaves (a file of the
    // old size, all zeros) must not empty the user's book without a word. A book's file
    // ends where its content does.
    const qint64 trailing = file.size() - in.position();
    if (in.ok() && trailing > 0 && loaded.isEmpty())
        return tr("%1: 住所録ファイルではありません。空の住所録の後に%2バイトのデータが続いています"
                  "（書き込みの途中で止まったファイルかもしれません）。何も読み込んでいません。")
            .arg(path)
            .arg(trailing);
    *this = std::move(loaded);
    if (!in.ok())
        return tr("住所録ファイルを最後まで読み込めませんでした。読み込めた分だけを表示します。\n%1")
            .arg(in.error());
    return QString();
}

QString AddressBook::storeFile(const QString& path) const
{
    QSaveFile file(path);
    if (const QString refused = SaveTarget::open(file); !refused.isEmpty())
        return refused;
    ArchiveWriter out(&file);
    write(out);
    if (!out.finish() || !file.flush() || !file.commit())
        return tr("住所録ファイルの書き込みに失敗しました。元のファイルは変更されていません。");
    return QString();
}
