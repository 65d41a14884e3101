#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// The 60-byte logical font record of a text region, kept field by field so that a
// record read from a file is written back byte for byte. The face name is held as its
// 32 raw CP932 bytes (zero-terminated, rest normally zero).
struct FontRecord
{
    static constexpr int ByteSize = 60;
    static constexpr int FaceBytes = 32;

    qint32 height = 0;
    qint32 width = 0;
    qint32 escapement = 0;
    qint32 orientation = 0;
    qint32 weight = 400;
    quint8 italic = 0;
    quint8 underline = 0;
    quint8 strikeOut = 0;
    quint8 charSet = 128;
    quint8 outPrecision = 0;
    quint8 clipPrecision = 0;
    quint8 quality = 0;
    quint8 pitchAndFamily = 0x20;
    std::array<char, FaceBytes> face{};

    // The face name up to its terminator, decoded from CP932.
    QString faceName() const;
    // Sets the face name; it is cut at 31 bytes without splitting a double-byte
    // character, and the rest of the field is zeroed.
    void setFaceName(const QString& name);

    // A vertical-writing face: the name starts with "@".
    bool isVertical() const { return face[0] == '@'; }

    // Makes a record of the kind the document creates: the given face, height and
    // escapement (also used as orientation), weight 400, Shift-JIS, pitch and family 0x20.
    static FontRecord make(const QString& face, qint32 height, qint32 escapement);

    friend bool operator==(const FontRecord& a, const FontRecord& b);
    friend bool operator!=(const FontRecord& a, const FontRecord& b) { return !(a == b); }
};
