#include "CatalogueTool.h"

#include "address/AddressBook.h"
#include "catalogue/AddressBookDefinition.h"
#include "catalogue/TemplateDefinition.h"
#include "model/CLabelSheetTemplate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cstdio>

namespace CatalogueTool {

QString writeTemplates(const QString& folder, const QStringList& definitions)
{
    if (!QDir().mkpath(folder))
        return QStringLiteral("%1: フォルダを作成できません。").arg(folder);
    // Every definition is read before anything is written, so that a mistake in one
    // leaves the previous catalogue whole.
    QList<CLabelSheetTemplate> templates;
    QStringList titles;
    for (const QString& definition : definitions) {
        CLabelSheetTemplate t;
        QString title;
        QString error;
        if (!TemplateDefinition::load(definition, &t, &title, &error))
            return error;
        if (titles.contains(title))
            return QStringLiteral("%1: 名前「%2」が重複しています。")
                .arg(QFileInfo(definition).fileName(), title);
        templates.append(std::move(t));
        titles.append(title);
    }
    QSet<QString> written;
    const QDir dir(folder);
    for (qsizetype i = 0; i < templates.size(); ++i) {
        const QString name = titles.at(i) + QStringLiteral(".ont");
        const QString message = TemplateDefinition::writeFile(templates.at(i), dir.filePath(name));
        if (!message.isEmpty())
            return message;
        written.insert(name);
    }
    const QStringList present = dir.entryList({QStringLiteral("*.ont")}, QDir::Files);
    for (const QString& name : present) {
        if (!written.contains(name) && !QFile::remove(dir.filePath(name)))
            return QStringLiteral("%1: 古いテンプレートを削除できません。").arg(dir.filePath(name));
    }
    return QString();
}

QString writeAddressBook(const QString& path, const QString& definition)
{
    AddressBook book;
    QString error;
    if (!AddressBookDefinition::load(definition, &book, &error))
        return error;
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("%1: フォルダを作成できません。").arg(folder);
    const QString message = book.storeFile(path);
    return message.isEmpty() ? QString() : QStringLiteral("%1: %2").arg(path, message);
}

int run(const QStringList& arguments)
{
    const QString usage =
        QStringLiteral("使い方: orinote-catalogue templates FOLDER DEFINITION...\n"
                       "        orinote-catalogue addressbook FILE DEFINITION");
    QString message;
    const QString command = arguments.value(1);
    if (command == QLatin1String("templates") && arguments.size() >= 4) {
        message = writeTemplates(arguments.at(2), arguments.mid(3));
    } else if (command == QLatin1String("addressbook") && arguments.size() == 4) {
        message = writeAddressBook(arguments.at(2), arguments.at(3));
    } else {
        std::fprintf(stderr, "%s\n", usage.toUtf8().constData());
        return 2;
    }
    if (!message.isEmpty()) {
        std::fprintf(stderr, "orinote-catalogue: %s\n", message.toUtf8().constData());
        return 1;
    }
    return 0;
}

} // namespace CatalogueTool
