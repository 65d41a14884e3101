#include "CTemplateFileDialog.h"

#include "TemplatePreviewBox.h"

#include "catalogue/TemplateCatalogue.h"

#include <QAbstractItemView>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTreeView>

#include <algorithm>

namespace {
Profile* sFolderProfile = nullptr;
} // namespace

CTemplateFileDialog::CTemplateFileDialog(QWidget* parent, const QString& start)
    : QFileDialog(parent)
{
    // The preview needs the dialog's own layout, which only the Qt dialog has.
    setOption(QFileDialog::DontUseNativeDialog);
    setWindowTitle(tr("テンプレートファイルを開く"));
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilter(tr("シートテンプレートファイル(*.ont)"));
    setDefaultSuffix(QStringLiteral("ont"));

    mBox = new TemplatePreviewBox(mPreview, this);
    mText = new QPlainTextEdit(this);
    mText->setReadOnly(true);
    mText->setFixedHeight(mText->fontMetrics().lineSpacing() * 3 + 14);
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int rows = grid->rowCount();
        grid->addWidget(mBox, 0, grid->columnCount(), rows, 1, Qt::AlignTop);
        grid->addWidget(mText, rows, 0, 1, grid->columnCount());
    }
    connect(this, &QFileDialog::currentChanged, this, &CTemplateFileDialog::showPreview);
    // A file chosen by typing its name (the completer) is selected in the list without
    // becoming its current item; follow the selection of both list views as well.
    for (auto* files : findChildren<QAbstractItemView*>()) {
        const QString name = files->objectName();
        if (name != QLatin1String("listView") && name != QLatin1String("treeView"))
            continue;
        connect(files->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this] { showPreview(selectedFiles().value(0)); });
    }

    if (!start.isEmpty()) {
        const QFileInfo info(start);
        if (info.isDir()) {
            setDirectory(start);
        } else {
            setDirectory(info.absolutePath());
            selectFile(info.fileName());
        }
    }
    showPreview(QString());
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        fitTo(screen->availableGeometry().size());
}

void CTemplateFileDialog::fitTo(const QSize& available)
{
    resize(std::min(1180, available.width() - 40), std::min(640, available.height() - 60));
    // The names are long ("A4ラベル12面（バーコード付き）.ont"): the name column takes
    // what they need, the size, kind and date columns the rest.
    if (auto* tree = findChild<QTreeView*>(QStringLiteral("treeView"))) {
        tree->header()->setStretchLastSection(true);
        tree->header()->resizeSection(0, fontMetrics().horizontalAdvance(
                                             QStringLiteral("A4ラベル12面（バーコード付き）.ont")) +
                                             40);
        for (int c = 1; c + 1 < tree->header()->count(); ++c)
            tree->header()->resizeSection(c, fontMetrics().horizontalAdvance(
                                                 QStringLiteral("2026/12/31 23:59")) / 2 + 24);
    }
}

void CTemplateFileDialog::showPreview(const QString& path)
{
    mPreview.load(path);
    // The text keeps its CR LF line ends; the edit shows them as plain lines.
    QString shown = mPreview.text();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (shown.endsWith(QLatin1Char('\n')))
        shown.chop(1);
    mText->setPlainText(shown);
    mBox->update();
}

QString CTemplateFileDialog::previewText() const
{
    return mPreview.text();
}

void CTemplateFileDialog::setFolderProfile(Profile* profile)
{
    sFolderProfile = profile;
}

QString CTemplateFileDialog::getOpenFileName(QWidget* parent, const QString& start)
{
    CTemplateFileDialog dialog(parent, TemplateCatalogue::dialogStart(sFolderProfile, start));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().constFirst();
    TemplateCatalogue::rememberChoice(sFolderProfile, chosen);
    return chosen;
}
