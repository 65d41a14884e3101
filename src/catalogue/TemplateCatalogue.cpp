#include "TemplateCatalogue.h"

#include "model/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// The build system tells where the generated files are in the build tree and where they
// go relative to the installed program.
#ifndef ORINOTE_CATALOGUE_BUILD_DIR
#define ORINOTE_CATALOGUE_BUILD_DIR ""
#endif
#ifndef ORINOTE_SAMPLE_BUILD_DIR
#define ORINOTE_SAMPLE_BUILD_DIR ""
#endif
#ifndef ORINOTE_CATALOGUE_INSTALLED
#define ORINOTE_CATALOGUE_INSTALLED "../share/orinote/templates"
#endif
#ifndef ORINOTE_SAMPLE_INSTALLED
#define ORINOTE_SAMPLE_INSTALLED "../share/orinote/sample"
#endif

namespace {

// The running program's folder; without an application object (a library user that
// made none) only the build tree is looked at.
QString programFolder()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}

QString findFolder(const char* installed, const char* built)
{
    return TemplateCatalogue::firstExisting(TemplateCatalogue::candidates(
        programFolder(), QString::fromUtf8(installed), QString::fromUtf8(built)));
}

} // namespace

QStringList TemplateCatalogue::candidates(const QString& programFolder, const QString& installed,
                                          const QString& built)
{
    // The installed place comes first: a program installed from a build tree that still
    // exists must use its own copy.
    QStringList places;
    if (!programFolder.isEmpty() && !installed.isEmpty())
        places.append(QDir(programFolder).filePath(installed));
    // The build tree only for a program that runs from inside it (build/src/app, the
    // tests): an installed program that fell back on it would hide a package that lacks
    // its files on the machine that built it.
    const QString tree = QFileInfo(built).absolutePath();
    if (!built.isEmpty() && !programFolder.isEmpty() &&
        QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath())
            .startsWith(QDir::cleanPath(tree) + QLatin1Char('/')))
        places.append(built);
    return places;
}

QString TemplateCatalogue::firstExisting(const QStringList& candidates)
{
    for (const QString& place : candidates) {
        const QFileInfo info(place);
        if (info.isDir())
            return QDir::cleanPath(info.absoluteFilePath());
    }
    return QString();
}

QString TemplateCatalogue::templateFolder()
{
    return findFolder(ORINOTE_CATALOGUE_INSTALLED, ORINOTE_CATALOGUE_BUILD_DIR);
}

QString TemplateCatalogue::sampleFolder()
{
    return findFolder(ORINOTE_SAMPLE_INSTALLED, ORINOTE_SAMPLE_BUILD_DIR);
}

QString TemplateCatalogue::sampleAddressBook()
{
    const QString folder = sampleFolder();
    const QString path = QDir(folder).filePath(QStringLiteral("sample.ona"));
    return !folder.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

QString TemplateCatalogue::catalogueTemplate(const QString& title)
{
    const QString folder = templateFolder();
    const QString path = QDir(folder).filePath(title + QStringLiteral(".ont"));
    return !folder.isEmpty() && !title.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

QString TemplateCatalogue::dialogStart(const Profile* profile, const QString& requested)
{
    if (!requested.isEmpty())
        return requested;
    if (profile) {
        const QString last = profile->readString(folderKey(), QString());
        if (!last.isEmpty() && QFileInfo(last).isDir())
            return last;
    }
    return templateFolder();
}

void TemplateCatalogue::rememberChoice(Profile* profile, const QString& chosenFile)
{
    if (!profile || chosenFile.isEmpty())
        return;
    profile->writeString(folderKey(), QFileInfo(chosenFile).absolutePath());
}
