#include "PostalTable.h"

#include "PostalCode.h"
#include "PostalTableFormat.h"
#include "base/RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtEndian>

#include <vector>

namespace {

// Far above the real table (about 2.5 MB); anything larger is not ours.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

QString tr(const char* text)
{
    return QCoreApplication::translate("PostalTable", text);
}

QString damaged()
{
    return tr("郵便番号データが壊れています。");
}

} // namespace

struct PostalTable::ReverseIndex
{
    QStringList prefKeys;
    QStringList cityKeys;
    std::vector<quint32> cityPref;
    std::vector<std::vector<quint32>> cityEntries; // entry indices of each city
};

PostalTable::PostalTable() = default;
PostalTable::~PostalTable() = default;

quint32 PostalTable::u32(qsizetype offset) const
{
    return qFromLittleEndian<quint32>(mBytes.constData() + offset);
}

quint16 PostalTable::u16(qsizetype offset) const
{
    return qFromLittleEndian<quint16>(mBytes.constData() + offset);
}

QString PostalTable::missingMessage()
{
    return tr("郵便番号データがないため、住所の検索は使えません。");
}

QString PostalTable::load(const QString& path)
{
    mBytes.clear();
    mReverse.reset();
    const QFileInfo info(path);
    if (!info.isFile())
        return missingMessage();
    if (info.size() > MaxFileSize)
        return damaged();
    QFile file(path);
    if (!RegularFile::open(file))
        return tr("郵便番号データを読み込めません。");
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return tr("郵便番号データを読み込めません。");
    return loadBytes(bytes);
}

QString PostalTable::loadBytes(const QByteArray& bytes)
{
    using namespace PostalTableFormat;
    mBytes.clear();
    mReverse.reset();
    if (bytes.size() < HeaderSize || !bytes.startsWith(magic()))
        return damaged();
    mBytes = bytes; // u32() reads from here
    const quint32 prefs = u32(8), cities = u32(12), entries = u32(16), prefixes = u32(20);
    const quint32 pool = u32(24);
    const qint64 total = qint64(HeaderSize) + qint64(prefs) * PrefectureSize +
                         qint64(cities) * CitySize + (qint64(entries) + prefixes) * EntrySize +
                         pool;
    if (total != bytes.size()) {
        mBytes.clear();
        return damaged();
    }
    mPrefCount = prefs;
    mCityCount = cities;
    mEntryCount = entries;
    mPrefixCount = prefixes;
    mPrefs = HeaderSize;
    mCities = mPrefs + qsizetype(prefs) * PrefectureSize;
    mEntries = mCities + qsizetype(cities) * CitySize;
    mPrefixes = mEntries + qsizetype(entries) * EntrySize;
    mPool = mPrefixes + qsizetype(prefixes) * EntrySize;
    mPoolSize = pool;

    const auto stringOk = [&](quint32 ref) {
        if (qint64(ref) + 2 > mPoolSize)
            return false;
        return qint64(ref) + 2 + 2 * qint64(u16(mPool + ref)) <= mPoolSize;
    };
    bool ok = cities <= 0xFFFF;
    for (quint32 i = 0; ok && i < prefs; ++i)
        ok = stringOk(u32(mPrefs + i * PrefectureSize + 4));
    for (quint32 i = 0; ok && i < cities; ++i) {
        const qsizetype at = mCities + qsizetype(i) * CitySize;
        ok = stringOk(u32(at + 4)) && u32(at + 8) < prefs;
    }
    const auto rowsOk = [&](qsizetype base, quint32 count, quint32 maxCode) {
        quint32 previous = 0;
        for (quint32 i = 0; i < count; ++i) {
            const qsizetype at = base + qsizetype(i) * EntrySize;
            const quint32 code = u32(at);
            if (code > maxCode || code < previous || !stringOk(u32(at + 4)) ||
                u16(at + 8) >= cities)
                return false;
            previous = code;
        }
        return true;
    };
    ok = ok && rowsOk(mEntries, entries, 9999999) && rowsOk(mPrefixes, prefixes, 99999);
    if (!ok) {
        mBytes.clear();
        return damaged();
    }
    return QString();
}

QString PostalTable::poolString(quint32 ref) const
{
    const qsizetype at = mPool + ref;
    const int n = u16(at);
    QString s(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i)
        s[i] = QChar(u16(at + 2 + 2 * i));
    return s;
}

PostalAddress PostalTable::entryAddress(qsizetype entryOffset, const QString& code) const
{
    const qsizetype city = mCities + qsizetype(u16(entryOffset + 8)) * PostalTableFormat::CitySize;
    const qsizetype pref = mPrefs + qsizetype(u32(city + 8)) * PostalTableFormat::PrefectureSize;
    return {code, poolString(u32(pref + 4)), poolString(u32(city + 4)),
            poolString(u32(entryOffset + 4))};
}

quint32 PostalTable::lowerBound(qsizetype base, quint32 count, quint32 code) const
{
    quint32 low = 0, high = count;
    while (low < high) {
        const quint32 mid = low + (high - low) / 2;
        if (u32(base + qsizetype(mid) * PostalTableFormat::EntrySize) < code)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

QList<PostalAddress> PostalTable::addresses(const QString& typed) const
{
    QList<PostalAddress> result;
    const QString digits = PostalCode::digits(typed);
    if (digits.isEmpty() || !isLoaded())
        return result;
    const QString code = PostalCode::withHyphen(digits);
    const quint32 code7 = digits.toUInt();
    const auto collect = [&](qsizetype base, quint32 count, quint32 wanted) {
        for (quint32 i = lowerBound(base, count, wanted); i < count; ++i) {
            const qsizetype at = base + qsizetype(i) * PostalTableFormat::EntrySize;
            if (u32(at) != wanted)
                break;
            result.append(entryAddress(at, code));
        }
    };
    collect(mPrefixes, mPrefixCount, code7 / 100);
    collect(mEntries, mEntryCount, code7);
    return result;
}

QString PostalTable::matchKey(const QString& text)
{
    QString key = text.normalized(QString::NormalizationForm_KC);
    key.remove(u' ');
    key.replace(u'ヶ', u'ケ');
    key.replace(u'ヵ', u'カ');
    return key;
}

const PostalTable::ReverseIndex& PostalTable::reverseIndex() const
{
    if (mReverse)
        return *mReverse;
    auto index = std::make_unique<ReverseIndex>();
    for (quint32 p = 0; p < mPrefCount; ++p)
        index->prefKeys.append(matchKey(poolString(u32(mPrefs + p * 8 + 4))));
    index->cityEntries.resize(mCityCount);
    index->cityPref.resize(mCityCount);
    for (quint32 c = 0; c < mCityCount; ++c) {
        const qsizetype at = mCities + qsizetype(c) * PostalTableFormat::CitySize;
        index->cityKeys.append(matchKey(poolString(u32(at + 4))));
        index->cityPref[c] = u32(at + 8);
    }
    for (quint32 e = 0; e < mEntryCount; ++e)
        index->cityEntries[u16(mEntries + qsizetype(e) * PostalTableFormat::EntrySize + 8)]
            .push_back(e);
    mReverse = std::move(index);
    return *mReverse;
}

QList<PostalAddress> PostalTable::codesForAddress(const QString& address) const
{
    QList<PostalAddress> result;
    if (!isLoaded())
        return result;
    const ReverseIndex& index = reverseIndex();
    const QString key = matchKey(address);

    // The prefecture, when the line names one.
    int pref = -1;
    qsizetype prefLength = 0;
    for (int p = 0; p < index.prefKeys.size(); ++p) {
        const QString& k = index.prefKeys.at(p);
        if (!k.isEmpty() && k.size() > prefLength && key.startsWith(k)) {
            pref = p;
            prefLength = k.size();
        }
    }
    const QString afterPref = key.mid(prefLength);

    // The longest city name; every city of that name when the prefecture is not given.
    QList<quint32> cities;
    qsizetype cityLength = 0;
    for (quint32 c = 0; c < mCityCount; ++c) {
        if (pref >= 0 && index.cityPref[c] != quint32(pref))
            continue;
        const QString& k = index.cityKeys.at(c);
        if (k.isEmpty() || k.size() < cityLength || !afterPref.startsWith(k))
            continue;
        if (k.size() > cityLength)
            cities.clear();
        cities.append(c);
        cityLength = k.size();
    }
    const QString afterCity = afterPref.mid(cityLength);

    // The longest town name in those cities; an empty town covers the rest of its city.
    QList<quint32> best;
    qsizetype townLength = -1;
    for (quint32 c : cities) {
        for (quint32 e : index.cityEntries[c]) {
            const qsizetype at = mEntries + qsizetype(e) * PostalTableFormat::EntrySize;
            const QString k = matchKey(poolString(u32(at + 4)));
            if (k.size() < townLength || !afterCity.startsWith(k))
                continue;
            if (k.size() > townLength)
                best.clear();
            best.append(e);
            townLength = k.size();
        }
    }
    QSet<quint32> seen;
    for (quint32 e : best) {
        const qsizetype at = mEntries + qsizetype(e) * PostalTableFormat::EntrySize;
        const quint32 code = u32(at);
        if (seen.contains(code))
            continue;
        seen.insert(code);
        result.append(entryAddress(
            at, PostalCode::withHyphen(QStringLiteral("%1").arg(code, 7, 10, QLatin1Char('0')))));
    }
    return result;
}
