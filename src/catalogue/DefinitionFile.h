#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

// Reading the JSON definition files of the catalogue and the sample data: the file itself
// and the checks every definition makes of its values. Messages are Japanese, for the
// person who edits the definitions.
namespace DefinitionFile {

// Reads a JSON file whose top level is an object. Refuses a file larger than maxSize
// before reading it. On failure returns false with the message (starting with the file's
// name) in *error.
bool readObject(const QString& path, qint64 maxSize, QJsonObject* out, QString* error);

// Whether every key of `object` is one of `allowed`; otherwise *error names the first
// unknown key and where it was found.
bool onlyKeys(const QJsonObject& object, const QStringList& allowed, const QString& where,
              QString* error);

// An array of exactly `count` integers (JSON numbers without a fraction, within qint32).
bool intArray(const QJsonValue& value, int count, const QString& where, QList<int>* out,
              QString* error);

// An integer within [low, high].
bool intInRange(const QJsonValue& value, int low, int high, const QString& where, int* out,
                QString* error);

} // namespace DefinitionFile
