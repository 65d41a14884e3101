#include "CFirstStartDialog.h"

#include "app/FirstStart.h"
#include "app/TemplatePreview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kPictureWidth = 150;
constexpr int kPictureHeight = 200;

QPixmap picture(const QString& path)
{
    TemplatePreview preview;
    preview.load(path);
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    preview.paint(painter, QRect(0, 0, kPictureWidth, kPictureHeight));
    return pixmap;
}

} // namespace

CFirstStartDialog::CFirstStartDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("ORINOTE へようこそ"));
    auto* layout = new QVBoxLayout(this);
    auto* question = new QLabel(
        tr("何を印刷しますか？\n選んだ用紙が、新しい文書のテンプレートになります"
           "（あとで 設定 → 環境設定 で変えられます）。"),
        this);
    layout->addWidget(question);
    auto* row = new QHBoxLayout;
    int key = 1;
    for (const FirstStart::Choice& choice : FirstStart::choices()) {
        const QString path = FirstStart::templatePath(choice);
        if (path.isEmpty())
            continue;
        auto* button = new QToolButton(this);
        button->setObjectName(choice.templateTitle);
        button->setText(QStringLiteral("&%1 %2").arg(key++).arg(choice.caption));
        button->setIcon(QIcon(picture(path)));
        button->setIconSize(QSize(kPictureWidth, kPictureHeight));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(false);
        connect(button, &QToolButton::clicked, this, [this, path] {
            mChosen = path;
            accept();
        });
        row->addWidget(button);
        mButtons.append(button);
    }
    layout->addLayout(row);
    auto* blank = new QPushButton(tr("白紙のA4のまま始める(&B)"), this);
    blank->setObjectName(QStringLiteral("blank"));
    blank->setAutoDefault(false);
    connect(blank, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(blank);
    layout->addLayout(bottom);
}

QString CFirstStartDialog::ask(QWidget* parent)
{
    CFirstStartDialog dialog(parent);
    if (dialog.choiceButtons().isEmpty())
        return QString();
    dialog.exec();
    return dialog.chosenTemplate();
}
