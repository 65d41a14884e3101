#include "ReadingGroup.h"

#include "AddressBook.h"

namespace {

// The first hiragana of each kana row, あ to わ; a character belongs to the last row whose
// start it does not precede.
constexpr char16_t kRowStarts[] = {u'ぁ', u'か', u'さ', u'た', u'な',
                                   u'は', u'ま', u'ゃ', u'ら', u'ゎ'};

// Half-width katakana in the order of the full-width ones they stand for, from ｦ (U+FF66).
constexpr char16_t kHalfWidth[] = u"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン";

} // namespace

int ReadingGroup::of(const QString& reading)
{
    const QString trimmed = reading.trimmed();
    if (trimmed.isEmpty())
        return -1;
    char16_t c = trimmed.at(0).unicode();
    if (c >= u'ｦ' && c <= u'ﾝ')
        c = kHalfWidth[c - u'ｦ'];
    if (c >= u'Ａ' && c <= u'Ｚ')
        c = char16_t(c - u'Ａ' + u'A');
    if (c >= u'ａ' && c <= u'ｚ')
        c = char16_t(c - u'ａ' + u'a');
    if (c >= u'a' && c <= u'z')
        c = char16_t(c - u'a' + u'A');
    if (c >= u'A' && c <= u'Z')
        return 10 + std::min((c - u'A') / 3, 8);
    if (c >= u'ヷ' && c <= u'ヺ')
        return 9; // ワ with the voicing mark
    if (c >= u'ァ' && c <= u'ヶ')
        c = char16_t(c - 0x60);
    if (c == u'ゔ')
        return 0;
    if (c == u'ゕ' || c == u'ゖ')
        return 1;
    if (c < u'ぁ' || c > u'ん')
        return -1;
    int row = 0;
    for (int r = 0; r < 10; ++r) {
        if (c >= kRowStarts[r])
            row = r;
    }
    return row;
}

int ReadingGroup::forRecord(int group, const QString& reading)
{
    if (group < 0 || group >= AddressBook::SenderGroup)
        return group;
    const int own = of(reading);
    return own < 0 ? group : own;
}
