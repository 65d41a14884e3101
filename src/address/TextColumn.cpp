#include "TextColumn.h"

QStringView TextColumn::view(int i) const
{
    if (i < 0 || i >= mEnds.size())
        return QStringView();
    const qsizetype from = start(i);
    return QStringView(mText).mid(from, mEnds.at(i) - from);
}

void TextColumn::append(QStringView text)
{
    mText.append(text);
    mEnds.append(mText.size());
}

void TextColumn::set(int i, QStringView text)
{
    if (i < 0 || i >= mEnds.size())
        return;
    const qsizetype from = start(i);
    const qsizetype oldLength = mEnds.at(i) - from;
    const qsizetype delta = text.size() - oldLength;
    mText.replace(from, oldLength, text.data(), text.size());
    if (delta != 0) {
        for (qsizetype k = i; k < mEnds.size(); ++k)
            mEnds[k] += delta;
    }
}

void TextColumn::removeAt(int i)
{
    if (i < 0 || i >= mEnds.size())
        return;
    const qsizetype from = start(i);
    const qsizetype length = mEnds.at(i) - from;
    mText.remove(from, length);
    mEnds.removeAt(i);
    for (qsizetype k = i; k < mEnds.size(); ++k)
        mEnds[k] -= length;
}

void TextColumn::resize(int n)
{
    if (n < 0)
        n = 0;
    if (n < mEnds.size()) {
        mText.truncate(start(n));
        mEnds.resize(n);
        return;
    }
    const qsizetype end = mText.size();
    mEnds.reserve(n);
    while (mEnds.size() < n)
        mEnds.append(end);
}

void TextColumn::clear()
{
    mText.clear();
    mEnds.clear();
}

void TextColumn::reserve(int entries, qsizetype characters)
{
    mEnds.reserve(entries);
    mText.reserve(characters);
}

QStringList TextColumn::toList() const
{
    QStringList list;
    list.reserve(size());
    for (int i = 0; i < size(); ++i)
        list.append(at(i));
    return list;
}

TextColumn TextColumn::fromList(const QStringList& list)
{
    TextColumn column;
    for (const QString& s : list)
        column.append(s);
    return column;
}

bool TextColumn::operator==(const TextColumn& o) const
{
    return mEnds == o.mEnds && mText == o.mText;
}
