#pragma once

#include "Profile.h"

#include <QSettings>

// The settings profile as an INI file, all keys in the group "ON". Integers are written
// as decimal text; a value that is not a number reads as the default.
class SettingsProfile : public Profile
{
public:
    // The user's profile (ORINOTE/ORINOTE.ini under the user's configuration folder).
    SettingsProfile();
    // A profile in the given INI file.
    explicit SettingsProfile(const QString& iniPath);

    // Whether an INI file given by the user may be used: a file that is not there yet is
    // made on the first write, but one that exists must be a regular file (reading a FIFO
    // would wait for ever). Returns an empty string or the refusal in words.
    static QString checkPath(const QString& iniPath);

    int readInt(const QString& key, int defaultValue) const override;
    QString readString(const QString& key, const QString& defaultValue) const override;
    void writeInt(const QString& key, int value) override;
    void writeString(const QString& key, const QString& value) override;

    // Writes pending changes to disk now.
    void sync() { mSettings.sync(); }
    QString fileName() const { return mSettings.fileName(); }

private:
    QString keyOf(const QString& key) const;

    QSettings mSettings;
};
