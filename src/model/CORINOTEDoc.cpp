#include "CORINOTEDoc.h"

#include "PageBuilder.h"
#include "Profile.h"
#include "TemplateFile.h"
#include "TextMeasurer.h"
#include "UndoSnapshots.h"
#include "base/ArchiveReader.h"
#include "base/RegularFile.h"
#include "base/TextCodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {
const Rect kA4{0, 0, 2100, -2970};
}

CORINOTEDoc::CORINOTEDoc(Profile* profile, QObject* parent) : QObject(parent), mProfile(profile)
{
    dataFolder = QDir::currentPath();
    setZoomIndex(mProfile->readInt(QStringLiteral("BN"), 1));
    mEnvironment.read(*mProfile);
}

CORINOTEDoc::~CORINOTEDoc()
{
    mProfile->writeInt(QStringLiteral("BN"), mZoomIndex);
}

UndoSnapshots& CORINOTEDoc::undoSnapshots()
{
    if (!mUndo) {
        mUndo = std::make_unique<UndoSnapshots>();
        mUndo->setDepth(mProfile->readInt(UndoSnapshots::depthKey(), UndoSnapshots::DefaultDepth));
    }
    return *mUndo;
}

void CORINOTEDoc::takeUndoSnapshot(const QString& name, const QString& mergeKey)
{
    undoSnapshots().take(*this, name.isEmpty() ? tr("編集") : name, mergeKey);
}

QString CORINOTEDoc::undoStepName() const
{
    return mUndo ? mUndo->undoName() : QString();
}

QString CORINOTEDoc::redoStepName() const
{
    return mUndo ? mUndo->redoName() : QString();
}

void CORINOTEDoc::clearUndo()
{
    undoSnapshots().clear(*this);
    mPlacements.clear();
}

void CORINOTEDoc::undo()
{
    undoSnapshots().undo(*this);
}

void CORINOTEDoc::redo()
{
    undoSnapshots().redo(*this);
}

void CORINOTEDoc::setZoomIndex(int index)
{
    mZoomIndex = std::clamp(index, 0, ZoomCount - 1);
}

int CORINOTEDoc::pageCount() const
{
    const int n = sheetsPerPage();
    if (templateMode || n == 0)
        return 1;
    return std::max(1, mSheets.size() / n);
}

int CORINOTEDoc::printStartPosition() const
{
    return std::clamp(mScalars.printStartPosition, 1, std::max(1, sheetsPerPage()));
}

void CORINOTEDoc::setModified(bool modified)
{
    if (mModified == modified)
        return;
    mModified = modified;
    emit modifiedChanged(modified);
}

void CORINOTEDoc::deleteContents()
{
    mSheets.clear();
    mTextRects.clear();
    mKeisenns.clear();
    mReserved.clear();
    mTemplate.reset();
    mAddressBook.clear();
    mRecordList.removeAll();
    for (QList<qint32>& list : mGroupLists)
        list.clear();
    mScalars.reservedD = 1;
    mScalars.verticalText = 0;
    mScalars.roundSheetCorners = 0;
    mScalars.printRuledLines = 1;
    mScalars.senderIndex = 0;
    mScalars.printStartPosition = 1;
    currentPage = 1;
    mSelection.clear();
}

void CORINOTEDoc::readPrintOffsets()
{
    printOffsetX = mProfile->readInt(QStringLiteral("PosX"), 0);
    printOffsetY = mProfile->readInt(QStringLiteral("PosY"), 0);
}

QString CORINOTEDoc::newDocument()
{
    deleteContents();
    setModified(false);
    clearUndo();
    // The empty book of a new document belongs to it.
    mBookOrigin.reset(mAddressBook);

    displayedLayer = 0;
    mScalars.autoRows = mScalars.autoCols = mScalars.currentSheetNo = 1;
    mScalars.reservedE = 0;

    CLabelSheetTemplate& t = mTemplate;
    t.paperRect = kA4;
    Sheet sheet;
    sheet.rect = kA4;
    t.sheets.append(sheet);
    t.printRuledLines = 1;
    mScalars.templateName = QCoreApplication::translate("CORINOTEDoc", "A4無地");

    readPrintOffsets();
    mEnvironment.read(*mProfile);
    mScalars.printSheetFrames = 0;
    mScalars.perSheetBackgrounds = 1;
    resetSheetAttributes();

    QString message;
    const QString stf = mProfile->readString(QStringLiteral("STF"), QString());
    if (!stf.isEmpty() && QFileInfo(stf).isFile()) {
        QFile file(stf);
        if (!RegularFile::open(file)) {
            message = QCoreApplication::translate("CORINOTEDoc", "テンプレートファイルオープン失敗");
        } else {
            // A template that cannot be read to its end keeps what was read.
            ArchiveReader in(&file);
            mTemplate.read(in);
            mScalars.templateName = TemplateFile::titleOf(stf);
        }
    }

    PageBuilder::copyTemplate(*this);
    mNewObject = NewObjectDefaults();
    return message;
}

void CORINOTEDoc::insertTextRegion(int index, const QString& text, int orderSheetNo,
                                   const Rect& rect, int sheetNo)
{
    mTextRects.insert(index, importedTextRegion(text, orderSheetNo, rect, sheetNo));
}

TextRect CORINOTEDoc::importedTextRegion(const QString& text, int orderSheetNo, const Rect& rect,
                                         int sheetNo) const
{
    TextRect r;
    r.text = text;
    r.font = FontRecord::make(QStringLiteral("ＭＳ Ｐゴシック"), -150,
                              mScalars.verticalText == 1 ? 900 : 0);
    r.rect = rect;
    r.orderSheetNo = orderSheetNo;
    r.sheetNo = sheetNo;
    return r;
}

void CORINOTEDoc::resetSheetAttributes()
{
    QList<Rect> rects = mSheets.rect();
    if (rects.isEmpty())
        rects.append(mScalars.paperRect);
    mSheets.clear();
    for (const Rect& rect : rects) {
        Sheet s;
        s.rect = rect;
        s.autoCols = mScalars.autoCols;
        s.autoRows = mScalars.autoRows;
        mSheets.append(s);
    }
}

void CORINOTEDoc::addTemplateSheet(const Rect& rect)
{
    Sheet s;
    s.rect = rect;
    s.elliptic = mNewObject.sheetElliptic;
    mTemplate.sheets.append(s);
}

void CORINOTEDoc::addTemplateTextRegion(const Rect& rect, const TextMeasurer* measurer)
{
    TextRect r;
    r.attribute = mNewObject.text;
    r.rect = rect;
    const bool crossIsWidth = mNewObject.vertical || mNewObject.westernHorizontal;
    if (mNewObject.vertical)
        r.font = FontRecord::make(QStringLiteral("@ＭＳ 明朝"), -mNewObject.regionWidth, 900);
    else if (mNewObject.westernHorizontal)
        r.font = FontRecord::make(QStringLiteral("ＭＳ 明朝"), -mNewObject.regionWidth, 2700);
    else
        r.font = FontRecord::make(QStringLiteral("ＭＳ 明朝"), -mNewObject.regionHeight, 0);

    const QString& a = r.attribute;
    const bool isPlaceholder = a.contains(QLatin1String("(R)")) ||
                               a.contains(QLatin1String("(S)")) ||
                               a.contains(QLatin1String("(A)"));
    if (mEnvironment.sizeNewRegions == 1 && !a.isEmpty() && !isPlaceholder && measurer) {
        const int cross = int(crossIsWidth ? rect.width() : rect.height());
        const int cx = measurer->textExtent(a, r.font, cross);
        const int h = cx / TextCodec::byteLength(a) / 2;
        if (crossIsWidth)
            r.rect.bottom = r.rect.top - cx - h;
        else
            r.rect.right = r.rect.left + cx + h;
    }
    r.borderColor = 0x000000;
    r.layer = mNewObject.layer;
    r.elliptic = mNewObject.elliptic;
    mTemplate.regions.append(r);
}
