#include "FontRecord.h"

#include "TextCodec.h"

#include <cstring>

QString FontRecord::faceName() const
{
    const void* end = std::memchr(face.data(), 0, face.size());
    const int len = end ? int(static_cast<const char*>(end) - face.data()) : FaceBytes;
    return TextCodec::decode(face.data(), len);
}

void FontRecord::setFaceName(const QString& name)
{
    face.fill(0);
    const QString cut = name.left(TextCodec::prefixLengthForBytes(name, FaceBytes - 1));
    const QByteArray bytes = TextCodec::encode(cut);
    std::memcpy(face.data(), bytes.constData(), size_t(bytes.size()));
}

FontRecord FontRecord::make(const QString& faceName, qint32 height, qint32 escapement)
{
    FontRecord f;
    f.height = height;
    f.escapement = escapement;
    f.orientation = escapement;
    f.setFaceName(faceName);
    return f;
}

bool operator==(const FontRecord& a, const FontRecord& b)
{
    return a.height == b.height && a.width == b.width && a.escapement == b.escapement &&
           a.orientation == b.orientation && a.weight == b.weight && a.italic == b.italic &&
           a.underline == b.underline && a.strikeOut == b.strikeOut && a.charSet == b.charSet &&
           a.outPrecision == b.outPrecision && a.clipPrecision == b.clipPrecision &&
           a.quality == b.quality && a.pitchAndFamily == b.pitchAndFamily && a.face == b.face;
}
