#include "CKeisennPropPage.h"

#include "FieldSpinBox.h"
#include "TemplatePagePrompts.h"

#include "edit/TemplateSetupEdits.h"
#include "model/CORINOTEDoc.h"
#include "render/RenderSupport.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel* label(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

CKeisennPropPage::CKeisennPropPage(TemplatePageContext& context, QWidget* parent)
    : TemplatePropPage(context, parent)
{
    setObjectName(QStringLiteral("LinePage"));
    auto* frame = new QGroupBox(tr("罫線（単位は0.1mm）："), this);
    mX1 = new FieldSpinBox(0, 2970, frame);
    mY1 = new FieldSpinBox(0, 4200, frame);
    mX2 = new FieldSpinBox(0, 2970, frame);
    mY2 = new FieldSpinBox(0, 4200, frame);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(label(tr("始点X座標："), mX1, frame), 0, 0);
    grid->addWidget(mX1, 0, 1);
    grid->addWidget(label(tr("始点Y座標："), mY1, frame), 0, 2);
    grid->addWidget(mY1, 0, 3);
    grid->addWidget(label(tr("終点X座標："), mX2, frame), 1, 0);
    grid->addWidget(mX2, 1, 1);
    grid->addWidget(label(tr("終点Y座標："), mY2, frame), 1, 2);
    grid->addWidget(mY2, 1, 3);

    mSwatch = new QToolButton(this);
    mSwatch->setEnabled(false);
    mSwatch->setFixedSize(40, 20);
    mWidth = new FieldSpinBox(1, 30, this);
    auto* look = new QGridLayout;
    look->addWidget(new QLabel(tr("罫線の色："), this), 0, 0);
    look->addWidget(mSwatch, 0, 1);
    look->addWidget(button(tr("色の変更"), &CKeisennPropPage::chooseColor), 0, 2);
    look->addWidget(label(tr("罫線の太さ（単位0.1mm）："), mWidth, this), 1, 0, 1, 2);
    look->addWidget(mWidth, 1, 2);
    look->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(tr("追加"), &CKeisennPropPage::addLine));
    buttons->addWidget(button(tr("変更"), &CKeisennPropPage::changeLines));
    buttons->addWidget(button(tr("削除"), &CKeisennPropPage::removeLines));

    makeList({tr("始点X座標"), tr("始点Y座標"), tr("終点X座標"), tr("終点Y座標")}, 70,
             [this] { return mSetup.lines.size(); },
             [this](int r, int c) -> qint64 {
                 const LineFields f = LineFields::of(mSetup.lines.at(r));
                 const qint64 values[] = {f.x1, f.y1, f.x2, f.y2};
                 return values[c - 1];
             });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(look);
    layout->addLayout(buttons);
    layout->addWidget(list(), 1);

    connect(mWidth, &QSpinBox::valueChanged, this, &CKeisennPropPage::widthEdited);
    // The fields start from the defaults they set, so a drawn line gets what they show.
    const NewObjectDefaults& d = mDoc.newObjectDefaults();
    ++mLoading;
    mWidth->setNumber(d.lineWidth);
    setColor(d.lineColor);
    --mLoading;
}

LineFields CKeisennPropPage::fields() const
{
    return LineFields{mX1->value(), mY1->value(), mX2->value(), mY2->value(), mWidth->value(),
                      mColor};
}

void CKeisennPropPage::setColor(qint32 color)
{
    mColor = color;
    mSwatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;")
                               .arg(RenderSupport::color(color).name()));
    if (NewObjectDefaults* d = defaults())
        d->lineColor = color;
}

void CKeisennPropPage::chooseColor()
{
    if (!mContext.prompts)
        return;
    if (const std::optional<qint32> c = mContext.prompts->chooseColor(mColor))
        setColor(*c);
}

void CKeisennPropPage::widthEdited()
{
    NewObjectDefaults* d = defaults();
    if (d && mWidth->inRange())
        d->lineWidth = mWidth->value();
}

void CKeisennPropPage::addLine()
{
    if (refused(TemplateSetupEdits::addLine(mSetup, fields())))
        return;
    copyChanged(selectedRows());
}

void CKeisennPropPage::changeLines()
{
    const QList<int> rows = selectedRows();
    TemplatePagePrompts* prompts = mContext.prompts;
    const auto confirm = [prompts](const QString& q) { return prompts && prompts->confirm(q); };
    if (refused(TemplateSetupEdits::changeLines(mSetup, rows, fields(), confirm)))
        return;
    copyChanged(rows);
}

void CKeisennPropPage::removeLines()
{
    if (refused(TemplateSetupEdits::removeLines(mSetup, selectedRows())))
        return;
    copyChanged({});
    mDoc.selection().keisenns.clear();
    emit pickedInDocument();
}

QList<int> CKeisennPropPage::documentRows() const
{
    QList<int> rows = mDoc.selection().keisenns;
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CKeisennPropPage::pickRows(const QList<int>& rows)
{
    Selection& s = mDoc.selection();
    s.clear();
    s.keisenns = rows;
}

bool CKeisennPropPage::familyUnchanged() const
{
    return mSetup.lines == mDoc.labelTemplate().keisenns;
}

void CKeisennPropPage::showRows(const QList<int>& rows)
{
    if (rows.isEmpty())
        return;
    const LineFields f = LineFields::of(mSetup.lines.at(rows.first()));
    mX1->setNumber(f.x1);
    mY1->setNumber(f.y1);
    mX2->setNumber(f.x2);
    mY2->setNumber(f.y2);
    mWidth->setNumber(f.width);
    setColor(f.color);
}
