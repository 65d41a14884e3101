#pragma once

#include "Profile.h"

#include <QSettings>
#include <QStringList>

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
    // The INI file of the user's profile, the one SettingsProfile() reads.
    static QString userPath();

    // The numbers of the profile that have a range (print offsets, zoom, undo steps, the
    // grid, the fitting modes) read within it: a value beyond is taken as the nearest end,
    // as the command line's --offset refuses it, so that a hand-edited or hostile file
    // (PosX=2147483647) never moves the print off the paper.
    int readInt(const QString& key, int defaultValue) const override;
    // The keys whose stored value lies outside their range, each as "PosX=2147483647
    // (-1000〜1000)", for the one message the programs give at start; empty when none.
    QStringList outOfRange() const;
    // That message, or an empty string.
    QString rangeMessage() const;
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
