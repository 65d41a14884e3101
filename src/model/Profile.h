#pragma once

#include <QString>

// The settings profile: named integers and strings in one section ("ON"). The document
// and the views read and write their settings through it; tests give them a temporary
// one.
class Profile
{
public:
    virtual ~Profile() = default;
    virtual int readInt(const QString& key, int defaultValue) const = 0;
    virtual QString readString(const QString& key, const QString& defaultValue) const = 0;
    virtual void writeInt(const QString& key, int value) = 0;
    virtual void writeString(const QString& key, const QString& value) = 0;
};
