#pragma once

#include "Profile.h"

#include <QHash>

// A settings profile that lives in memory only: for tests, fuzzing and runs that must
// not touch the user's settings.
class MemoryProfile : public Profile
{
public:
    int readInt(const QString& key, int defaultValue) const override
    {
        bool ok = false;
        const int n = mValues.value(key).toInt(&ok);
        return ok ? n : defaultValue;
    }
    QString readString(const QString& key, const QString& defaultValue) const override
    {
        return mValues.value(key, defaultValue);
    }
    void writeInt(const QString& key, int value) override
    {
        mValues.insert(key, QString::number(value));
    }
    void writeString(const QString& key, const QString& value) override
    {
        mValues.insert(key, value);
    }

private:
    QHash<QString, QString> mValues;
};
