#include "CTemplateEditorFormView.h"

#include "edit/TemplateSetup.h"
#include "edit/ui/CLabelTemplatePropSheet.h"
#include "model/CORINOTEDoc.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CTemplateEditorFormView::CTemplateEditorFormView(CORINOTEDoc& doc, QWidget* parent)
    : FormPane(doc, parent)
{
    setObjectName(QStringLiteral("TemplateEditorForm"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);

    auto* top = new QHBoxLayout;
    auto* label = new QLabel(tr("表示レイヤー："), this);
    mLayer = new QComboBox(this);
    mLayer->addItem(tr("すべて"));
    for (int layer = 1; layer <= 10; ++layer)
        mLayer->addItem(QString::number(layer));
    label->setBuddy(mLayer);
    mApply = new QPushButton(tr("更新"), this);
    // Beside 更新, so that the pages do not move when it shows.
    mPendingNote = new QLabel(tr("未反映の変更があります"), this);
    mPendingNote->setStyleSheet(QStringLiteral("color: #b00000;"));
    mPendingNote->hide();
    top->addWidget(label);
    top->addWidget(mLayer);
    top->addStretch(1);
    top->addWidget(mPendingNote);
    top->addWidget(mApply);

    mSheet = new CLabelTemplatePropSheet(mDoc, this);
    mSheet->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 5);
    layout->addLayout(top);
    layout->addWidget(mSheet, 1);
    connect(mSheet, &CLabelTemplatePropSheet::pendingChanged, this,
            &CTemplateEditorFormView::showPending);

    {
        const QSignalBlocker block(mLayer);
        mLayer->setCurrentIndex(std::clamp(mDoc.displayedLayer, 0, 10));
    }
    connect(mLayer, &QComboBox::currentIndexChanged, this, &CTemplateEditorFormView::layerChosen);
    connect(mApply, &QPushButton::clicked, this, &CTemplateEditorFormView::apply);
    connect(&mDoc, &CORINOTEDoc::changed, this, &CTemplateEditorFormView::documentChanged);
    mDoc.templateMode = 1;
    mDoc.newObjectDefaults().setByPages = true;
    setFocusProxy(mLayer);

    // The pages were just filled from the template, so applying them only matters for a
    // template without a sheet: it gets one covering the paper.
    const CLabelSheetTemplate& t = mDoc.labelTemplate();
    if (t.sheets.isEmpty() || !mSheet->setup().matches(t))
        mSheet->apply();
}

void CTemplateEditorFormView::apply()
{
    mSheet->apply();
}

void CTemplateEditorFormView::layerChosen(int index)
{
    mDoc.displayedLayer = index;
    // The Ctrl+click group goes too: hidden regions must not be aligned or moved unseen.
    mDoc.selection().clear();
    mDoc.updateAllViews();
}

void CTemplateEditorFormView::documentChanged()
{
    const QSignalBlocker block(mLayer);
    mLayer->setCurrentIndex(std::clamp(mDoc.displayedLayer, 0, 10));
}

void CTemplateEditorFormView::showPending(bool pending)
{
    mPendingNote->setVisible(pending);
    QFont font = mApply->font();
    font.setBold(pending);
    mApply->setFont(font);
    mApply->setDefault(pending);
}
