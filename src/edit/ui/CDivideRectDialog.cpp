#include "CDivideRectDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

CDivideRectDialog::CDivideRectDialog(QWidget* parent) : RangeCheckedDialog(parent)
{
    setWindowTitle(tr("分割"));
    setObjectName(QStringLiteral("DivideRectDialog"));
    mRows = addNumber("rows", 1, 30, 1);
    mColumns = addNumber("columns", 1, 30, 1);
    mGapX = addNumber("gapX", 0, 500, 0);
    mGapY = addNumber("gapY", 0, 500, 0);

    auto* layoutBox = new QGroupBox(tr("レイアウト："), this);
    auto* grid = new QHBoxLayout(layoutBox);
    mRows->setParent(layoutBox);
    mColumns->setParent(layoutBox);
    grid->addWidget(mRows);
    grid->addWidget(new QLabel(tr("行"), layoutBox));
    grid->addWidget(mColumns);
    grid->addWidget(new QLabel(tr("列"), layoutBox));
    grid->addStretch();

    auto* gaps = new QFormLayout;
    gaps->addRow(tr("左右の間隔（単位0.1mm）："), mGapX);
    gaps->addRow(tr("上下の間隔（単位0.1mm）："), mGapY);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDivideRectDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addWidget(layoutBox);
    top->addLayout(gaps);
    top->addWidget(buttons);
}

RectSplit::Grid CDivideRectDialog::grid() const
{
    RectSplit::Grid g;
    g.rows = mRows->value();
    g.columns = mColumns->value();
    g.gapX = mGapX->value();
    g.gapY = mGapY->value();
    return g;
}

std::optional<RectSplit::Grid> CDivideRectDialog::ask(QWidget* parent)
{
    CDivideRectDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.grid();
}
