#include "PostalTableWriter.h"

#include "PostalTableFormat.h"
#include "base/RegularFile.h"
#include "base/SaveTarget.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <map>

namespace {

struct Row
{
    quint32 code;
    quint32 town;
    quint16 city;
};

// Strings once each, as u16 length + UTF-16.
class Pool
{
public:
    quint32 add(const QString& s)
    {
        const auto it = mIndex.constFind(s);
        if (it != mIndex.constEnd())
            return *it;
        const quint32 offset = quint32(mBytes.size());
        const qsizetype n = std::min<qsizetype>(s.size(), 0xFFFF);
        appendU16(quint16(n));
        for (qsizetype i = 0; i < n; ++i)
            appendU16(s.at(i).unicode());
        mIndex.insert(s, offset);
        return offset;
    }
    const QByteArray& bytes() const { return mBytes; }

private:
    void appendU16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        mBytes.append(b, 2);
    }
    QByteArray mBytes;
    QHash<QString, quint32> mIndex;
};

void put32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void put16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

bool isDigits(const QString& key, int length)
{
    if (key.size() != length)
        return false;
    return std::all_of(key.begin(), key.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString parse(const QByteArray& json, const QString& name, QJsonObject* object)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (doc.isNull())
        return QStringLiteral("%1.json: %2").arg(name, error.errorString());
    const QJsonValue inner = doc.object().value(name);
    if (!inner.isObject())
        return QStringLiteral("%1.json: no object \"%1\"").arg(name);
    *object = inner.toObject();
    return QString();
}

// The items of a zip5 or zip7 value: a number, a string, or a list of them.
QJsonArray itemsOf(const QJsonValue& value)
{
    return value.isArray() ? value.toArray() : QJsonArray{value};
}

} // namespace

QString PostalTableWriter::convert(const QByteArray& prefJson, const QByteArray& cityJson,
                                   const QByteArray& zip5Json, const QByteArray& zip7Json)
{
    mTable.clear();
    mEntryCount = 0;
    QJsonObject prefs, cities, zip5, zip7;
    for (const auto& [json, name, object] :
         {std::tuple{&prefJson, QStringLiteral("pref"), &prefs},
          std::tuple{&cityJson, QStringLiteral("city"), &cities},
          std::tuple{&zip5Json, QStringLiteral("zip5"), &zip5},
          std::tuple{&zip7Json, QStringLiteral("zip7"), &zip7}}) {
        const QString error = parse(*json, name, object);
        if (!error.isEmpty())
            return error;
    }

    Pool pool;
    QByteArray prefPart, cityPart;
    QHash<int, quint32> prefIndex; // two-digit code → index
    for (auto it = prefs.constBegin(); it != prefs.constEnd(); ++it) {
        if (!isDigits(it.key(), 2))
            return QStringLiteral("pref.json: bad code \"%1\"").arg(it.key());
        const int code = it.key().toInt();
        prefIndex.insert(code, quint32(prefIndex.size()));
        put32(prefPart, quint32(code));
        put32(prefPart, pool.add(it.value().toArray().at(0).toString()));
    }
    QHash<int, quint16> cityIndex; // five-digit code → index
    for (auto it = cities.constBegin(); it != cities.constEnd(); ++it) {
        if (!isDigits(it.key(), 5))
            return QStringLiteral("city.json: bad code \"%1\"").arg(it.key());
        const int code = it.key().toInt();
        const auto pref = prefIndex.constFind(code / 1000);
        if (pref == prefIndex.constEnd())
            return QStringLiteral("city.json: no prefecture for \"%1\"").arg(it.key());
        if (cityIndex.size() >= 0xFFFF)
            return QStringLiteral("city.json: too many cities");
        cityIndex.insert(code, quint16(cityIndex.size()));
        put32(cityPart, quint32(code));
        put32(cityPart, pool.add(it.value().toArray().at(0).toString()));
        put32(cityPart, *pref);
    }

    // Walks the items of one value: numbers set the city, strings are towns of it.
    const auto walk = [&](const QJsonValue& value, int* city, quint32 code, const QString& where,
                          std::vector<Row>* rows) -> QString {
        for (const QJsonValue item : itemsOf(value)) {
            if (item.isDouble()) {
                *city = item.toInt(-1);
                if (!cityIndex.contains(*city))
                    return QStringLiteral("%1: unknown city %2").arg(where).arg(*city);
            } else if (item.isString()) {
                if (*city < 0)
                    return QStringLiteral("%1: a town without a city").arg(where);
                if (rows)
                    rows->push_back({code, pool.add(item.toString()), cityIndex.value(*city)});
            } else {
                return QStringLiteral("%1: unexpected value").arg(where);
            }
        }
        return QString();
    };

    std::vector<Row> prefixes;
    std::map<QString, int> prefixCity; // the city a prefix hands on to its codes
    for (auto it = zip5.constBegin(); it != zip5.constEnd(); ++it) {
        if (!isDigits(it.key(), 5))
            return QStringLiteral("zip5.json: bad code \"%1\"").arg(it.key());
        int city = -1;
        const QString error = walk(it.value(), &city, quint32(it.key().toInt()),
                                   QStringLiteral("zip5.json \"%1\"").arg(it.key()), &prefixes);
        if (!error.isEmpty())
            return error;
        prefixCity[it.key()] = city;
    }
    std::vector<Row> entries;
    entries.reserve(size_t(zip7.size()) + 1024);
    for (auto it = zip7.constBegin(); it != zip7.constEnd(); ++it) {
        if (!isDigits(it.key(), 7))
            return QStringLiteral("zip7.json: bad code \"%1\"").arg(it.key());
        const auto carried = prefixCity.find(it.key().left(5));
        int city = carried == prefixCity.end() ? -1 : carried->second;
        const QString error = walk(it.value(), &city, quint32(it.key().toInt()),
                                   QStringLiteral("zip7.json \"%1\"").arg(it.key()), &entries);
        if (!error.isEmpty())
            return error;
    }
    // Sorted by code; the towns of one code keep the package's order.
    const auto byCode = [](const Row& a, const Row& b) { return a.code < b.code; };
    std::stable_sort(entries.begin(), entries.end(), byCode);
    std::stable_sort(prefixes.begin(), prefixes.end(), byCode);

    QByteArray out = PostalTableFormat::magic();
    put32(out, quint32(prefIndex.size()));
    put32(out, quint32(cityIndex.size()));
    put32(out, quint32(entries.size()));
    put32(out, quint32(prefixes.size()));
    put32(out, quint32(pool.bytes().size()));
    out += prefPart;
    out += cityPart;
    for (const std::vector<Row>* rows : {&entries, &prefixes}) {
        for (const Row& r : *rows) {
            put32(out, r.code);
            put32(out, r.town);
            put16(out, r.city);
        }
    }
    out += pool.bytes();
    mTable = out;
    mEntryCount = int(entries.size());
    return QString();
}

QString PostalTableWriter::convertFolder(const QString& folder)
{
    QByteArray texts[4];
    const char* const names[4] = {"pref.json", "city.json", "zip5.json", "zip7.json"};
    for (int i = 0; i < 4; ++i) {
        QFile file(folder + u'/' + QLatin1String(names[i]));
        if (!RegularFile::open(file))
            return QStringLiteral("%1: not a readable regular file").arg(file.fileName());
        texts[i] = file.readAll();
    }
    return convert(texts[0], texts[1], texts[2], texts[3]);
}

QString PostalTableWriter::save(const QString& path) const
{
    QSaveFile file(path);
    if (const QString refused = SaveTarget::open(file); !refused.isEmpty())
        return refused;
    if (file.write(mTable) != mTable.size() || !file.flush() || !file.commit())
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    return QString();
}
