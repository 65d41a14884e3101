#include "RecentFiles.h"

#include "model/Profile.h"

#include <QDir>
#include <QFileInfo>

QString RecentFiles::normalised(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

void RecentFiles::add(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString p = normalised(path);
    mFiles.removeAll(p);
    mFiles.prepend(p);
    while (mFiles.size() > MaxCount)
        mFiles.removeLast();
}

void RecentFiles::removeAt(int i)
{
    if (i >= 0 && i < mFiles.size())
        mFiles.removeAt(i);
}

void RecentFiles::load(const Profile& profile)
{
    mFiles.clear();
    for (int i = 1; i <= MaxCount; ++i) {
        const QString p = profile.readString(QStringLiteral("File%1").arg(i), QString());
        if (!p.isEmpty() && !mFiles.contains(normalised(p)))
            mFiles.append(normalised(p));
    }
}

void RecentFiles::save(Profile& profile) const
{
    for (int i = 0; i < MaxCount; ++i)
        profile.writeString(QStringLiteral("File%1").arg(i + 1), mFiles.value(i));
}

QString RecentFiles::menuText(int i, int maxLength) const
{
    const QString path = mFiles.value(i);
    QString shown = QDir::toNativeSeparators(path);
    if (shown.size() > maxLength) {
        // Keep the file name whole and as much of the folder's start as fits.
        const QString name = QFileInfo(path).fileName();
        const int keep = std::max(0, maxLength - int(name.size()) - 5);
        shown = shown.left(keep) + QStringLiteral("…/") + name;
    }
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(i + 1).arg(shown);
}
