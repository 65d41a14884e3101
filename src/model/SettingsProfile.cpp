#include "SettingsProfile.h"

#include "UndoSnapshots.h"
#include "base/RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QStandardPaths>

#include <algorithm>
#include <climits>

#include <sys/stat.h>

SettingsProfile::SettingsProfile()
    : mSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("ORINOTE"),
                QStringLiteral("ORINOTE"))
{
}

SettingsProfile::SettingsProfile(const QString& iniPath) : mSettings(iniPath, QSettings::IniFormat)
{
}

QString SettingsProfile::checkPath(const QString& iniPath)
{
    struct stat st;
    const bool exists = ::lstat(QFile::encodeName(iniPath).constData(), &st) == 0;
    if (!exists || RegularFile::is(iniPath))
        return QString();
    return QCoreApplication::translate("SettingsProfile", "%1: 設定ファイルを読み込めません。")
        .arg(iniPath);
}

QString SettingsProfile::userPath()
{
    // Where QSettings puts an INI file of the user scope; not asked of a QSettings, which
    // would read the file while being made.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/ORINOTE/ORINOTE.ini");
}

QString SettingsProfile::keyOf(const QString& key) const
{
    return QStringLiteral("ON/") + key;
}

namespace {

struct Range
{
    int low;
    int high;
};

// The numeric keys whose value has a range; the flags (0 or not) need none.
const QHash<QString, Range>& ranges()
{
    static const QHash<QString, Range> all{
        {QStringLiteral("PosX"), {-1000, 1000}},
        {QStringLiteral("PosY"), {-1000, 1000}},
        {QStringLiteral("BN"), {0, 5}},
        {UndoSnapshots::depthKey(), {UndoSnapshots::MinDepth, UndoSnapshots::MaxDepth}},
        {QStringLiteral("GRIDNUM"), {0, 10}},
        {QStringLiteral("TROT"), {0, 2}},
        {QStringLiteral("TROD"), {0, 3}},
    };
    return all;
}

} // namespace

int SettingsProfile::readInt(const QString& key, int defaultValue) const
{
    const QVariant v = mSettings.value(keyOf(key));
    bool ok = false;
    // Read wide: a number past the int range is clamped as one within it.
    const qlonglong n = v.toString().trimmed().toLongLong(&ok);
    if (!ok)
        return defaultValue;
    const auto range = ranges().constFind(key);
    if (range == ranges().constEnd())
        return n < INT_MIN || n > INT_MAX ? defaultValue : int(n);
    return int(std::clamp<qlonglong>(n, range->low, range->high));
}

QStringList SettingsProfile::outOfRange() const
{
    QStringList found;
    for (auto it = ranges().constBegin(); it != ranges().constEnd(); ++it) {
        const QString text = mSettings.value(keyOf(it.key())).toString().trimmed();
        bool ok = false;
        const qlonglong n = text.toLongLong(&ok);
        if (ok && (n < it->low || n > it->high))
            found.append(QStringLiteral("%1=%2 (%3〜%4)").arg(it.key(), text).arg(it->low).arg(it->high));
    }
    found.sort();
    return found;
}

QString SettingsProfile::rangeMessage() const
{
    const QStringList keys = outOfRange();
    if (keys.isEmpty())
        return QString();
    return QCoreApplication::translate("SettingsProfile",
                                       "%1: 設定の値が範囲の外にあるため、範囲の端の値を使います。\n%2")
        .arg(fileName(), keys.join(u'\n'));
}

QString SettingsProfile::readString(const QString& key, const QString& defaultValue) const
{
    const QVariant v = mSettings.value(keyOf(key));
    return v.isValid() ? v.toString() : defaultValue;
}

void SettingsProfile::writeInt(const QString& key, int value)
{
    mSettings.setValue(keyOf(key), QString::number(value));
}

void SettingsProfile::writeString(const QString& key, const QString& value)
{
    mSettings.setValue(keyOf(key), value);
}
