#pragma once

#include <QStringList>

class Profile;

// The list of the most recently used document files, newest first, at most four. It is
// kept in the settings profile as "File1" … "File4" (empty strings for unused places).
class RecentFiles
{
public:
    static constexpr int MaxCount = 4;

    const QStringList& files() const { return mFiles; }
    int count() const { return int(mFiles.size()); }

    // Puts the file at the top; a file already listed moves up instead of appearing
    // twice (paths are compared as absolute, cleaned paths). The oldest entry falls off.
    void add(const QString& path);
    // Drops entry i (a file that could not be opened); out of range does nothing.
    void removeAt(int i);

    // Reads the list, skipping empty and repeated entries.
    void load(const Profile& profile);
    void save(Profile& profile) const;

    // The menu text of entry i: "&1 name" with the file's name, its folder shortened
    // when the whole path would be longer than `maxLength` characters.
    QString menuText(int i, int maxLength = 60) const;

private:
    static QString normalised(const QString& path);

    QStringList mFiles;
};
