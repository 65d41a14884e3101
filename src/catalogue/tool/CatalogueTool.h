#pragma once

#include <QString>
#include <QStringList>

// The build-time generator: turns the readable definitions of the catalogue and of the
// sample address book into the program's own files, with the program's own writers.
namespace CatalogueTool {

// Writes "<title>.ont" into `folder` for every template definition, and removes the
// other .ont files of the folder (templates renamed or dropped since the last build).
// Nothing is removed when a definition fails. Returns an empty string or the message.
QString writeTemplates(const QString& folder, const QStringList& definitions);

// Writes the address book of the definition to `path` (an .ona file).
QString writeAddressBook(const QString& path, const QString& definition);

// The command line: "templates FOLDER DEFINITION..." or "addressbook FILE DEFINITION".
// Returns the process exit code; messages go to standard error.
int run(const QStringList& arguments);

} // namespace CatalogueTool
