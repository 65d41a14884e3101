#include "CAutoReplaceData.h"

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "base/RegularFile.h"
#include "base/SaveTarget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

// The twelve columns in file order: kind, member, rule field.
#define ORINOTE_RULE_COLUMNS(X)                                                                    \
    X(Int, mEnabled, enabled)                                                                      \
    X(String, mAttribute, attribute)                                                               \
    X(String, mSearch, search)                                                                     \
    X(String, mAtLeast, atLeast)                                                                   \
    X(String, mAtMost, atMost)                                                                     \
    X(String, mReplacement, replacement)                                                           \
    X(String, mNotFound, notFound)                                                                 \
    X(Int, mTextColor, textColor)                                                                  \
    X(Int, mKeepTextColor, keepTextColor)                                                          \
    X(Int, mBackColor, backColor)                                                                  \
    X(Int, mKeepBackColor, keepBackColor)                                                          \
    X(String, mBackPicture, backPicture)

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CAutoReplaceData", text);
}

} // namespace

AutoReplaceRule CAutoReplaceData::rule(int i) const
{
    AutoReplaceRule r;
    if (i < 0 || i >= count())
        return r;
#define GATHER(kind, member, field) r.field = member.at(i);
    ORINOTE_RULE_COLUMNS(GATHER)
#undef GATHER
    return r;
}

void CAutoReplaceData::append(const AutoReplaceRule& r)
{
#define APPEND(kind, member, field) member.append(r.field);
    ORINOTE_RULE_COLUMNS(APPEND)
#undef APPEND
}

void CAutoReplaceData::replace(int i, const AutoReplaceRule& r)
{
    if (i < 0 || i >= count())
        return;
#define REPLACE(kind, member, field) member[i] = r.field;
    ORINOTE_RULE_COLUMNS(REPLACE)
#undef REPLACE
}

void CAutoReplaceData::remove(QList<int> indices)
{
    // From the highest index down, so the earlier indices stay valid.
    std::sort(indices.begin(), indices.end(), std::greater<int>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (int i : indices) {
        if (i < 0 || i >= count())
            continue;
#define REMOVE(kind, member, field) member.removeAt(i);
        ORINOTE_RULE_COLUMNS(REMOVE)
#undef REMOVE
    }
}

void CAutoReplaceData::setEnabled(int i, bool enabled)
{
    if (i >= 0 && i < count())
        mEnabled[i] = enabled ? 1 : 0;
}

void CAutoReplaceData::clear()
{
#define CLEAR(kind, member, field) member.clear();
    ORINOTE_RULE_COLUMNS(CLEAR)
#undef CLEAR
}

void CAutoReplaceData::cutToShortest()
{
    qsizetype n = mEnabled.size();
#define SHORTEST(kind, member, field) n = std::min(n, member.size());
    ORINOTE_RULE_COLUMNS(SHORTEST)
#undef SHORTEST
#define CUT(kind, member, field) member.resize(n);
    ORINOTE_RULE_COLUMNS(CUT)
#undef CUT
}

bool CAutoReplaceData::read(ArchiveReader& in)
{
#define READ_Int(member) member = in.readIntArray();
#define READ_String(member) member = in.readStringArray();
#define READ(kind, member, field) READ_##kind(member)
    ORINOTE_RULE_COLUMNS(READ)
#undef READ
#undef READ_String
#undef READ_Int
    // Columns of unequal length (a read that stopped part-way, or a foreign file) would
    // leave rules with missing attributes: keep only the rules every column has.
    cutToShortest();
    return in.ok();
}

void CAutoReplaceData::write(ArchiveWriter& out) const
{
#define WRITE_Int(member) out.writeIntArray(member);
#define WRITE_String(member) out.writeStringArray(member);
#define WRITE(kind, member, field) WRITE_##kind(member)
    ORINOTE_RULE_COLUMNS(WRITE)
#undef WRITE
#undef WRITE_String
#undef WRITE_Int
}

QString CAutoReplaceData::filePath(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(fileName());
}

QString CAutoReplaceData::loadFile(const QString& path)
{
    clear();
    QFile file(path);
    if (!file.exists())
        return QString();
    if (!RegularFile::open(file))
        return tr("自動処理設定ファイルを開けませんでした。\n%1").arg(path);
    ArchiveReader in(&file);
    if (!read(in))
        return tr("自動処理設定ファイルを最後まで読み込めませんでした。"
                  "読み込めた分だけを使います。\n%1")
            .arg(in.error());
    return QString();
}

QString CAutoReplaceData::saveFile(const QString& path) const
{
    QSaveFile file(path);
    const QString refused = SaveTarget::open(file);
    bool saved = refused.isEmpty();
    if (saved) {
        ArchiveWriter out(&file);
        write(out);
        saved = out.finish() && file.flush() && file.commit();
    }
    if (!saved)
        return tr("自動処理設定ファイルの保存に失敗しました。"
                  "元のファイルは変更されていません。\n%1: %2")
            .arg(QDir::toNativeSeparators(path), refused.isEmpty() ? file.errorString() : refused);
    return QString();
}

bool operator==(const CAutoReplaceData& a, const CAutoReplaceData& b)
{
#define EQUAL(kind, member, field) &&a.member == b.member
    return true ORINOTE_RULE_COLUMNS(EQUAL);
#undef EQUAL
}
