#pragma once

#include "model/AutoReplaceRule.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The rule editor 自動処理設定: the attribute, the search string, the two numeric bounds,
// the replacement and not-found texts, the background picture (with a file chooser) and
// the text and background colours (each a swatch, "色の変更" and "そのまま").
//
// The dialog only gathers values: OK takes them over without further checks, Cancel
// discards them. rule() is the edited rule, `enabled` kept from the rule given.
class CAutoReplaceRuleDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CAutoReplaceRuleDialog(const AutoReplaceRule& rule, QWidget* parent = nullptr);

    AutoReplaceRule rule() const;

    // The filter of the background picture chooser.
    static QString pictureFilter();

protected:
    // Asks for a colour starting from `current`; an invalid colour when cancelled.
    virtual QColor chooseColor(const QColor& current);
    // Asks for a picture file; empty when cancelled.
    virtual QString choosePicture(const QString& current);

private:
    void changeTextColor();
    void changeBackColor();
    void openPicture();
    static void paintSwatch(QLabel* swatch, qint32 color);

    AutoReplaceRule mRule;
    QLineEdit* mAttribute;
    QLineEdit* mSearch;
    QLineEdit* mAtLeast;
    QLineEdit* mAtMost;
    QLineEdit* mReplacement;
    QLineEdit* mNotFound;
    QLineEdit* mBackPicture;
    QLabel* mTextColorSwatch;
    QLabel* mBackColorSwatch;
    QCheckBox* mKeepTextColor;
    QCheckBox* mKeepBackColor;
};
