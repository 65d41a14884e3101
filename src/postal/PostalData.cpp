#include "PostalData.h"

#include "PostalTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <memory>

// The build system tells where the file is made and where it goes relative to the
// installed program.
#ifndef ORINOTE_POSTAL_BUILD_FILE
#define ORINOTE_POSTAL_BUILD_FILE ""
#endif
#ifndef ORINOTE_POSTAL_INSTALLED
#define ORINOTE_POSTAL_INSTALLED "../share/orinote/postal/postalcodes.dat"
#endif

namespace {

struct Loaded
{
    std::unique_ptr<PostalTable> table;
    QString message;
};

Loaded& loaded()
{
    static Loaded state;
    return state;
}

} // namespace

QStringList PostalData::candidates(const QString& programFolder)
{
    if (qEnvironmentVariableIsSet("ORINOTE_POSTAL_TABLE"))
        return {qEnvironmentVariable("ORINOTE_POSTAL_TABLE")};
    QStringList places;
    // The installed place first: an installed program uses its own copy even while the
    // build tree it came from still exists.
    if (!programFolder.isEmpty())
        places.append(QDir(programFolder).filePath(QString::fromUtf8(ORINOTE_POSTAL_INSTALLED)));
    // The build tree's table (<build>/postal/postalcodes.dat) only for a program that runs
    // from inside that tree: an installed program falling back on it would hide a package
    // without its table on the machine that built it.
    const QString built = QString::fromUtf8(ORINOTE_POSTAL_BUILD_FILE);
    const QString tree = QFileInfo(QFileInfo(built).absolutePath()).absolutePath();
    if (!built.isEmpty() && !programFolder.isEmpty() &&
        QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath())
            .startsWith(QDir::cleanPath(tree) + QLatin1Char('/')))
        places.append(built);
    return places;
}

QString PostalData::tablePath()
{
    const QString folder =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    for (const QString& place : candidates(folder)) {
        if (!place.isEmpty() && QFileInfo(place).isFile())
            return QFileInfo(place).absoluteFilePath();
    }
    return QString();
}

const PostalTable& PostalData::table()
{
    Loaded& state = loaded();
    if (!state.table) {
        state.table = std::make_unique<PostalTable>();
        // No file (an empty path) gives the table's own "unavailable" message.
        state.message = state.table->load(tablePath());
    }
    return *state.table;
}

QString PostalData::unavailableMessage()
{
    table();
    return loaded().message;
}

void PostalData::reset()
{
    loaded().table.reset();
    loaded().message.clear();
}
