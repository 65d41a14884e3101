#include "CAutoReplaceRuleDialog.h"

#include "widgets/CPictureFileDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Colours are 0x00BBGGRR.
QColor toQColor(qint32 c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

qint32 fromQColor(const QColor& c)
{
    return qint32(c.red() | (c.green() << 8) | (c.blue() << 16));
}

} // namespace

CAutoReplaceRuleDialog::CAutoReplaceRuleDialog(const AutoReplaceRule& rule, QWidget* parent)
    : QDialog(parent), mRule(rule)
{
    setWindowTitle(tr("自動処理設定"));

    const auto makeEdit = [this](const QString& name, const QString& value) {
        auto* edit = new QLineEdit(value, this);
        edit->setObjectName(name);
        edit->setMinimumWidth(260);
        return edit;
    };
    mAttribute = makeEdit(QStringLiteral("attribute"), rule.attribute);
    mSearch = makeEdit(QStringLiteral("search"), rule.search);
    mAtLeast = makeEdit(QStringLiteral("atLeast"), rule.atLeast);
    mAtMost = makeEdit(QStringLiteral("atMost"), rule.atMost);
    mReplacement = makeEdit(QStringLiteral("replacement"), rule.replacement);
    mNotFound = makeEdit(QStringLiteral("notFound"), rule.notFound);
    mBackPicture = makeEdit(QStringLiteral("backPicture"), rule.backPicture);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](const QString& label, QWidget* field, QWidget* extra = nullptr) {
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(field, row, 1);
        if (extra)
            grid->addWidget(extra, row, 2);
        ++row;
    };
    const QString numberHint = tr("（半角で数値を入力してください。）");
    addRow(tr("属性："), mAttribute);
    addRow(tr("検索文字列："), mSearch);
    addRow(tr("検索条件（以上）："), mAtLeast, new QLabel(numberHint, this));
    addRow(tr("検索条件（以下）："), mAtMost, new QLabel(numberHint, this));
    addRow(tr("置換文字列："), mReplacement);
    addRow(tr("一致しないときの文字列："), mNotFound);

    auto* open = new QPushButton(tr("開く"), this);
    open->setObjectName(QStringLiteral("openPicture"));
    connect(open, &QPushButton::clicked, this, &CAutoReplaceRuleDialog::openPicture);
    addRow(tr("背景画像："), mBackPicture, open);

    const auto colorRow = [&](const QString& label, QLabel*& swatch, QCheckBox*& keep,
                              const QString& name, qint32 color, qint32 keepFlag,
                              void (CAutoReplaceRuleDialog::*change)()) {
        swatch = new QLabel(this);
        swatch->setObjectName(name + QStringLiteral("Swatch"));
        swatch->setFixedSize(40, 20);
        swatch->setFrameShape(QFrame::Box);
        swatch->setAutoFillBackground(true);
        paintSwatch(swatch, color);
        auto* button = new QPushButton(tr("色の変更"), this);
        button->setObjectName(name + QStringLiteral("Change"));
        connect(button, &QPushButton::clicked, this, change);
        keep = new QCheckBox(tr("そのまま"), this);
        keep->setObjectName(name + QStringLiteral("Keep"));
        keep->setChecked(keepFlag != 0);
        auto* box = new QHBoxLayout;
        box->addWidget(swatch);
        box->addWidget(button);
        box->addWidget(keep);
        box->addStretch();
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addLayout(box, row, 1, 1, 2);
        ++row;
    };
    colorRow(tr("文字列の色："), mTextColorSwatch, mKeepTextColor, QStringLiteral("textColor"),
             rule.textColor, rule.keepTextColor, &CAutoReplaceRuleDialog::changeTextColor);
    colorRow(tr("背景色："), mBackColorSwatch, mKeepBackColor, QStringLiteral("backColor"),
             rule.backColor, rule.keepBackColor, &CAutoReplaceRuleDialog::changeBackColor);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

AutoReplaceRule CAutoReplaceRuleDialog::rule() const
{
    AutoReplaceRule r = mRule;
    r.attribute = mAttribute->text();
    r.search = mSearch->text();
    r.atLeast = mAtLeast->text();
    r.atMost = mAtMost->text();
    r.replacement = mReplacement->text();
    r.notFound = mNotFound->text();
    r.backPicture = mBackPicture->text();
    r.keepTextColor = mKeepTextColor->isChecked() ? 1 : 0;
    r.keepBackColor = mKeepBackColor->isChecked() ? 1 : 0;
    return r;
}

QString CAutoReplaceRuleDialog::pictureFilter()
{
    return tr("画像ファイル (*.jpg *.bmp *.png *.tif *.gif)");
}

QColor CAutoReplaceRuleDialog::chooseColor(const QColor& current)
{
    return QColorDialog::getColor(current, this);
}

QString CAutoReplaceRuleDialog::choosePicture(const QString& current)
{
    return CPictureFileDialog::choose(
        this, current == AutoReplaceRule::keep() ? QString() : current, pictureFilter());
}

void CAutoReplaceRuleDialog::changeTextColor()
{
    const QColor c = chooseColor(toQColor(mRule.textColor));
    if (!c.isValid())
        return;
    mRule.textColor = fromQColor(c);
    paintSwatch(mTextColorSwatch, mRule.textColor);
}

void CAutoReplaceRuleDialog::changeBackColor()
{
    const QColor c = chooseColor(toQColor(mRule.backColor));
    if (!c.isValid())
        return;
    mRule.backColor = fromQColor(c);
    paintSwatch(mBackColorSwatch, mRule.backColor);
}

void CAutoReplaceRuleDialog::openPicture()
{
    const QString path = choosePicture(mBackPicture->text());
    if (!path.isEmpty())
        mBackPicture->setText(QDir::toNativeSeparators(path));
}

void CAutoReplaceRuleDialog::paintSwatch(QLabel* swatch, qint32 color)
{
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    swatch->setPalette(palette);
}
