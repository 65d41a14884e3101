#include "DefinitionFile.h"
#include "base/RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>

namespace DefinitionFile {

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("DefinitionFile", text);
}

// A JSON number is a double; only whole numbers that fit in 32 bits are lengths here.
bool toInt(const QJsonValue& value, int* out)
{
    if (!value.isDouble())
        return false;
    const double d = value.toDouble();
    if (!std::isfinite(d) || d != std::floor(d) || d < -2147483648.0 || d > 2147483647.0)
        return false;
    *out = int(d);
    return true;
}
} // namespace

bool readObject(const QString& path, qint64 maxSize, QJsonObject* out, QString* error)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!RegularFile::open(file)) {
        *error = tr("%1: ファイルを開けません。").arg(name);
        return false;
    }
    // The size is checked before reading, so that a huge file is not taken into memory.
    if (file.size() > maxSize) {
        *error = tr("%1: ファイルが大きすぎます（%2 バイトまで）。").arg(name).arg(maxSize);
        return false;
    }
    const QByteArray bytes = file.read(maxSize + 1);
    if (bytes.size() > maxSize) {
        *error = tr("%1: ファイルが大きすぎます（%2 バイトまで）。").arg(name).arg(maxSize);
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = tr("%1: JSONとして読めません（%2 バイト目: %3）。")
                     .arg(name)
                     .arg(parseError.offset)
                     .arg(parseError.errorString());
        return false;
    }
    if (!document.isObject()) {
        *error = tr("%1: 最上位がオブジェクトではありません。").arg(name);
        return false;
    }
    *out = document.object();
    return true;
}

bool onlyKeys(const QJsonObject& object, const QStringList& allowed, const QString& where,
              QString* error)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!allowed.contains(it.key())) {
            *error = tr("%1: 不明なキー「%2」があります。").arg(where, it.key());
            return false;
        }
    }
    return true;
}

bool intArray(const QJsonValue& value, int count, const QString& where, QList<int>* out,
              QString* error)
{
    const QJsonArray array = value.toArray();
    if (!value.isArray() || array.size() != count) {
        *error = tr("%1: %2 個の整数の配列を指定してください。").arg(where).arg(count);
        return false;
    }
    QList<int> values;
    for (const QJsonValue& v : array) {
        int n = 0;
        if (!toInt(v, &n)) {
            *error = tr("%1: %2 個の整数の配列を指定してください。").arg(where).arg(count);
            return false;
        }
        values.append(n);
    }
    *out = values;
    return true;
}

bool intInRange(const QJsonValue& value, int low, int high, const QString& where, int* out,
                QString* error)
{
    int n = 0;
    if (!toInt(value, &n) || n < low || n > high) {
        *error = tr("%1: %2 から %3 までの整数を指定してください。").arg(where).arg(low).arg(high);
        return false;
    }
    *out = n;
    return true;
}

} // namespace DefinitionFile
