#pragma once

#include <QString>
#include <QStringList>

class Profile;

// Where the bundled sheet templates and the sample address book are, and which folder
// the template file dialog opens on.
//
// The catalogue is looked for next to the program as installed (<prefix>/bin/orinote →
// <prefix>/share/orinote/templates) and, for a program run from its build folder, in the
// build tree, where the files are generated.
class TemplateCatalogue
{
public:
    // The profile key (section "ON") of the folder the user last chose a template in.
    static QString folderKey() { return QStringLiteral("TDIR"); }

    // The catalogue of sheet templates (.ont) and the sample folder (sample.ona); empty
    // when neither place has it.
    static QString templateFolder();
    static QString sampleFolder();
    // The sample address book, or an empty string when it is not there.
    static QString sampleAddressBook();
    // A template of the catalogue by its title ("はがき宛名（縦書き）"), or an empty string.
    static QString catalogueTemplate(const QString& title);

    // The places looked at, in order, for a folder under share/orinote (installed) or the
    // build tree; `programFolder` is the folder of the running program. The build tree's
    // folder is a place only for a program that runs from inside that tree (decided here,
    // at run time): an installed program looks in its installed folder alone.
    static QStringList candidates(const QString& programFolder, const QString& installed,
                                  const QString& built);
    // The first candidate that is an existing folder, as an absolute path; or empty.
    static QString firstExisting(const QStringList& candidates);

    // The folder the template file dialog opens on: the folder (or file) the caller asks
    // for; otherwise the folder the user last chose a template in, when it still exists;
    // otherwise the catalogue; otherwise empty (the dialog's own default). The profile
    // may be null.
    static QString dialogStart(const Profile* profile, const QString& requested);
    // Keeps the folder of a chosen template file for the next dialogStart(). Nothing
    // happens for a null profile or an empty path.
    static void rememberChoice(Profile* profile, const QString& chosenFile);
};
