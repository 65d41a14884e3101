#include "CTemplateEditorFormView.h"

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
    // Applies the property sheet's pages; there is nothing to apply without it.
    mApply->setEnabled(false);
    top->addWidget(label);
    top->addWidget(mLayer);
    top->addStretch(1);
    top->addWidget(mApply);

    mPlace = new QWidget(this);
    mPlace->setObjectName(QStringLiteral("PropertySheetPlace"));
    mPlace->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 5);
    layout->addLayout(top);
    layout->addWidget(mPlace, 1);

    {
        const QSignalBlocker block(mLayer);
        mLayer->setCurrentIndex(std::clamp(mDoc.displayedLayer, 0, 10));
    }
    connect(mLayer, &QComboBox::currentIndexChanged, this, &CTemplateEditorFormView::layerChosen);
    connect(&mDoc, &CORINOTEDoc::changed, this, &CTemplateEditorFormView::documentChanged);
    mDoc.templateMode = 1;
    setFocusProxy(mLayer);
}

void CTemplateEditorFormView::layerChosen(int index)
{
    mDoc.displayedLayer = index;
    mDoc.selection().sheet = -1;
    mDoc.selection().textRect = -1;
    mDoc.updateAllViews();
}

void CTemplateEditorFormView::documentChanged()
{
    // The property sheet reloads its pages from the template here once it exists.
    const QSignalBlocker block(mLayer);
    mLayer->setCurrentIndex(std::clamp(mDoc.displayedLayer, 0, 10));
}
