#include "SettingsProfile.h"

#include "base/RegularFile.h"

#include <QCoreApplication>
#include <QFile>

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

QString SettingsProfile::keyOf(const QString& key) const
{
    return QStringLiteral("ON/") + key;
}

int SettingsProfile::readInt(const QString& key, int defaultValue) const
{
    const QVariant v = mSettings.value(keyOf(key));
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? n : defaultValue;
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
