#pragma once

#include <QString>

class Profile;

// The folder a kind of file was last chosen in, kept in the settings (section "ON") under
// the kind's key, so each file dialog opens where the user last went for that kind and
// not wherever any dialog was last.
namespace FolderMemory {

// Settings keys of the kinds.
inline QString documents() { return QStringLiteral("DIRDOC"); }
inline QString addressFiles() { return QStringLiteral("DIRBOOK"); }
inline QString pictures() { return QStringLiteral("DIRPIC"); }

// Where a dialog for the kind starts: the remembered folder while it still exists, else
// the home folder; with a file name, that name in the folder (a path keeps its own
// folder).
QString start(const Profile* profile, const QString& key, const QString& fileName = QString());

// Remembers the folder of a chosen path; an empty path (cancelled) changes nothing.
void remember(Profile* profile, const QString& key, const QString& chosen);

} // namespace FolderMemory
