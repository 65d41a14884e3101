#include "PictureChooser.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

bool isFolderName(const QString& entry)
{
    return entry.size() >= 2 && entry.startsWith(QLatin1Char('[')) &&
           entry.endsWith(QLatin1Char(']'));
}

} // namespace

QStringList PictureChooser::patterns()
{
    return {QStringLiteral("*.bmp"),  QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"),
            QStringLiteral("*.tiff"), QStringLiteral("*.tif"), QStringLiteral("*.png"),
            QStringLiteral("*.gif")};
}

void PictureChooser::setFolder(const QString& folder)
{
    mFolder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    mEntries.clear();
    const QDir dir(mFolder);
    if (!dir.isReadable())
        return;
    if (!dir.isRoot())
        mEntries.append(QStringLiteral("[..]"));
    const QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : folders)
        mEntries.append(QLatin1Char('[') + name + QLatin1Char(']'));
    // One listing per pattern, in the order of the patterns; a name that matches two
    // patterns is listed once.
    QStringList files;
    for (const QString& pattern : patterns()) {
        const QStringList found = dir.entryList({pattern}, QDir::Files | QDir::Readable);
        for (const QString& name : found) {
            if (!files.contains(name))
                files.append(name);
        }
    }
    mEntries.append(files);
    std::stable_sort(mEntries.begin(), mEntries.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

bool PictureChooser::isFolderEntry(int row) const
{
    return row >= 0 && row < mEntries.size() && isFolderName(mEntries.at(row));
}

QList<int> PictureChooser::fileRows() const
{
    QList<int> rows;
    for (int row = 0; row < mEntries.size(); ++row) {
        if (!isFolderEntry(row))
            rows.append(row);
    }
    return rows;
}

QString PictureChooser::pathOf(int row) const
{
    if (row < 0 || row >= mEntries.size())
        return QString();
    QString name = mEntries.at(row);
    if (isFolderName(name))
        name = name.mid(1, name.size() - 2);
    return QDir::cleanPath(QDir(mFolder).filePath(name));
}

void PictureChooser::activate(int row)
{
    if (isFolderEntry(row))
        setFolder(pathOf(row));
    else
        setFolder(mFolder);
}

void PictureChooser::append(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows) {
        if (row >= 0 && row < mEntries.size())
            mChosen.append({mEntries.at(row), pathOf(row)});
    }
}

bool PictureChooser::remove(const QList<int>& rows)
{
    if (rows.isEmpty())
        return false;
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end(), std::greater<int>());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (const int row : sorted) {
        if (row >= 0 && row < mChosen.size())
            mChosen.removeAt(row);
    }
    return true;
}
