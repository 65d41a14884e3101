#pragma once

#include <QString>
#include <QtGlobal>

// One auto-replace rule (自動処理設定), as a value: what the rule editor edits and the
// rules table holds as entry i of its twelve columns.
//
// The word "そのまま" in the replacement, the not-found text or the background picture
// means "leave it"; the keep flags do the same for the two colours.
struct AutoReplaceRule
{
    qint32 enabled = 1;           // 有効 / 無効
    QString attribute;            // 属性: the template regions the rule applies to
    QString search;               // 検索文字列: tokens separated by ";"
    QString atLeast;              // 検索条件（以上）: decimal text, empty = no bound
    QString atMost;               // 検索条件（以下）: decimal text, empty = no bound
    QString replacement = keep(); // 置換文字列
    QString notFound = keep();    // NotFound文字列
    qint32 textColor = 0x000000;  // 文字列の色, 0x00BBGGRR
    qint32 keepTextColor = 1;     // 1 = the text colour is left
    qint32 backColor = 0xFFFFFF;  // 背景色
    qint32 keepBackColor = 1;     // 1 = the background is left
    QString backPicture = keep(); // 背景画像: a picture path

    // "そのまま": the value that leaves the text or picture as it is.
    static QString keep() { return QStringLiteral("そのまま"); }

    friend bool operator==(const AutoReplaceRule& a, const AutoReplaceRule& b);
    friend bool operator!=(const AutoReplaceRule& a, const AutoReplaceRule& b) { return !(a == b); }
};
