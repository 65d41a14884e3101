#include "AddressBookOrigin.h"

#include <QFileInfo>
#include <QHash>

namespace {

// One text per record: its columns, its flag and its history rows, so that two records
// compare equal exactly when nothing of them changed.
QHash<QString, QString> recordTexts(const CAddressData& group)
{
    QMultiHash<QString, QString> history;
    for (int row = 0; row < group.historyCount(); ++row) {
        QString text;
        for (int c = CAddressData::HistorySubject; c <= CAddressData::HistoryNote; ++c)
            text += group.history(row, c) + QChar(0x1f);
        history.insert(group.history(row, CAddressData::HistoryKey), text);
    }
    QHash<QString, QString> texts;
    QHash<QString, int> seen;
    const int n = group.recordCount();
    for (int i = 0; i < n; ++i) {
        const QString number = group.field(i, CAddressData::EntryNumber);
        // The same entry number twice (a book from elsewhere): matched in stored order.
        const QString key = number + QChar(0x1e) + QString::number(seen[number]++);
        QString text;
        for (int c = 0; c < CAddressData::TextColumnCount; ++c)
            text += group.field(i, c) + QChar(0x1f);
        text += QString::number(group.flag(i));
        QStringList rows = history.values(number);
        rows.sort();
        text += rows.join(QChar(0x1e));
        texts.insert(key, text);
    }
    return texts;
}

} // namespace

QString AddressBookOrigin::fileName() const
{
    return mPath.isEmpty() ? QString() : QFileInfo(mPath).fileName();
}

void AddressBookOrigin::reset(const AddressBook& saved, const QString& path)
{
    mSaved = saved;
    mPath = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

void AddressBookOrigin::forget()
{
    mSaved.clear();
    mPath.clear();
}

int AddressBookOrigin::changedRecords(const AddressBook& before, const AddressBook& after)
{
    int changed = 0;
    for (int g = 0; g < AddressBook::GroupCount; ++g) {
        if (before.group(g) == after.group(g))
            continue;
        const QHash<QString, QString> old = recordTexts(before.group(g));
        const QHash<QString, QString> now = recordTexts(after.group(g));
        for (auto it = now.cbegin(); it != now.cend(); ++it) {
            const auto was = old.constFind(it.key());
            if (was == old.cend() || *was != it.value())
                ++changed;
        }
        for (auto it = old.cbegin(); it != old.cend(); ++it)
            changed += now.contains(it.key()) ? 0 : 1;
    }
    return changed;
}

int AddressBookOrigin::recordCount(const AddressBook& book)
{
    int count = 0;
    for (int g = 0; g < AddressBook::GroupCount; ++g)
        count += book.group(g).recordCount();
    return count;
}
