// orinote-catalogue: writes the bundled sheet templates and the sample address book from
// their readable definitions while ORINOTE is built.

#include "CatalogueTool.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    return CatalogueTool::run(QCoreApplication::arguments());
}
