#pragma once

#include <QString>
#include <QStringList>

class PostalTable;

// The program's postal code table: where its file is and the one loaded copy.
//
// The file is looked for, in order, in the environment variable ORINOTE_POSTAL_TABLE
// (when set, and only there), under share/orinote/postal beside the installed program,
// and in the build tree. Without it the program works as before and says that the
// lookup is unavailable.
class PostalData
{
public:
    // The file to read; empty when none is found.
    static QString tablePath();
    // The places tried, for a program in `programFolder` (which may be empty).
    static QStringList candidates(const QString& programFolder);

    // The table, loaded on first use (an empty table when the file is missing or broken).
    static const PostalTable& table();
    // Why the table is empty; empty when it is loaded.
    static QString unavailableMessage();
    // Forgets the loaded table, so that the next use reads the file again.
    static void reset();
};
