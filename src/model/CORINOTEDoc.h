#pragma once

#include "CAutoReplaceData.h"
#include "CLabelSheetTemplate.h"
#include "DocumentScalars.h"
#include "EnvironmentSettings.h"
#include "Keisenn.h"
#include "PlacementMemory.h"
#include "ReservedArrays.h"
#include "Selection.h"
#include "Sheet.h"
#include "TextRect.h"

#include "address/AddressBook.h"
#include "address/AddressBookOrigin.h"
#include "address/CAddressData.h"

#include <QObject>
#include <QString>

#include <array>
#include <memory>

class Profile;
class TextMeasurer;
class UndoSnapshots;

// The one document of the program: the template, the data-mode layout (every page's
// sheets, text regions and ruled lines as parallel arrays), the twenty address groups,
// the record list of data mode, the print settings of the job, and the runtime state
// the views share (mode, page, zoom, selection, undo flags).
//
// Views and dialogs change the document through its operations and then call
// updateAllViews(); every family keeps its arrays of equal length at all times.
class CORINOTEDoc : public QObject
{
    Q_OBJECT
public:
    static constexpr int ZoomCount = 6;
    static constexpr double ZoomFactors[ZoomCount] = {0.5, 1.0, 1.5, 2.0, 3.0, 5.0};

    // Reads "BN" and the environment settings from the profile; the profile must outlive
    // the document, which writes "BN" back when it is destroyed.
    explicit CORINOTEDoc(Profile* profile, QObject* parent = nullptr);
    ~CORINOTEDoc() override;

    // --- the data-mode layout and the template
    SheetFamily& sheets() { return mSheets; }
    const SheetFamily& sheets() const { return mSheets; }
    TextRectFamily& textRects() { return mTextRects; }
    const TextRectFamily& textRects() const { return mTextRects; }
    KeisennFamily& keisenns() { return mKeisenns; }
    const KeisennFamily& keisenns() const { return mKeisenns; }
    ReservedArrays& reservedArrays() { return mReserved; }
    const ReservedArrays& reservedArrays() const { return mReserved; }
    CLabelSheetTemplate& labelTemplate() { return mTemplate; }
    const CLabelSheetTemplate& labelTemplate() const { return mTemplate; }
    DocumentScalars& scalars() { return mScalars; }
    const DocumentScalars& scalars() const { return mScalars; }

    // --- address data
    AddressBook& addressBook() { return mAddressBook; }
    const AddressBook& addressBook() const { return mAddressBook; }
    // Where the address book was last saved or read from, and what it held then.
    AddressBookOrigin& addressBookOrigin() { return mBookOrigin; }
    const AddressBookOrigin& addressBookOrigin() const { return mBookOrigin; }
    CAddressData& recordList() { return mRecordList; }
    const CAddressData& recordList() const { return mRecordList; }
    // One list of 32-bit integers per address group, for the address book window.
    QList<qint32>& groupList(int group) { return mGroupLists[size_t(group)]; }
    // The auto-replace rules of data mode (kept in the rules file of the data folder).
    CAutoReplaceData& autoReplaceData() { return mAutoReplace; }
    const CAutoReplaceData& autoReplaceData() const { return mAutoReplace; }
    // The CSV rows and pictures last placed on the pages, for a rebuild to place again.
    PlacementMemory& placementMemory() { return mPlacements; }
    const PlacementMemory& placementMemory() const { return mPlacements; }
    // The current sender record's index in the sender group.
    int senderIndex() const { return mScalars.senderIndex; }

    // --- settings
    Profile* profile() const { return mProfile; }
    EnvironmentSettings& environment() { return mEnvironment; }
    const EnvironmentSettings& environment() const { return mEnvironment; }
    int printOffsetX = 0; // "PosX", 0.1 mm, positive to the right
    int printOffsetY = 0; // "PosY", 0.1 mm, positive downwards
    // Takes "PosX" and "PosY" from the settings (a new or an opened document).
    void readPrintOffsets();
    int zoomIndex() const { return mZoomIndex; }
    void setZoomIndex(int index);
    double zoomFactor() const { return ZoomFactors[mZoomIndex]; }

    // --- runtime state shared by the views
    int currentPage = 1;
    int templateMode = 0;
    int displayedLayer = 0;
    int editTool = -1;
    // The select tool template mode comes back with: that of the family last used there
    // (1 sheets, 3 text regions, 6 ruled lines), so that a first click never adds.
    int templateSelectTool = 1;
    int undoAvailable = 0;
    int redoAvailable = 0;
    QString dataFolder;
    Selection& selection() { return mSelection; }
    const Selection& selection() const { return mSelection; }
    NewObjectDefaults& newObjectDefaults() { return mNewObject; }
    const NewObjectDefaults& newObjectDefaults() const { return mNewObject; }

    // Sheets per page (the template's sheet count) and regions per sheet.
    int sheetsPerPage() const { return mTemplate.sheets.size(); }
    int regionsPerSheet() const { return mTemplate.regions.size(); }
    // The number of data-mode pages: sheets / sheets per page, 1 when the template has no
    // sheet or in template mode.
    int pageCount() const;
    // The print start position brought into 1 … sheets per page (1 without a sheet): the
    // sheet of page 1 that takes the first record. Every use goes through here, as the
    // stored scalar may have been set before the template changed.
    int printStartPosition() const;

    // --- operations
    // Resets the document to a new A4 document, or to the default template "STF" of the
    // profile, and builds page 1 from it. Returns a message for the user when the default
    // template exists but cannot be opened, else an empty string.
    QString newDocument();
    // Empties every family, the reserved arrays, the template, the address groups, the
    // record list and the group lists, and resets the scalars that go with them.
    void deleteContents();
    // Inserts at `index` a text region with the attributes of a region made by text
    // import: the given text, rectangle and sheet numbers.
    void insertTextRegion(int index, const QString& text, int orderSheetNo, const Rect& rect,
                          int sheetNo);
    // The region insertTextRegion inserts.
    TextRect importedTextRegion(const QString& text, int orderSheetNo, const Rect& rect,
                                int sheetNo) const;
    // Gives every sheet the default per-sheet values (one sheet equal to the paper when
    // there is none).
    void resetSheetAttributes();
    // Appends a sheet with the given rectangle to the template.
    void addTemplateSheet(const Rect& rect);
    // Appends a text region with the given rectangle to the template, with the new-object
    // text, font and layer; sized to its text when "ARS" asks and a measurer is given.
    void addTemplateTextRegion(const Rect& rect, const TextMeasurer* measurer);

    // Undo and redo, as many steps as "元に戻す回数" allows. Every operation that changes
    // the document takes a snapshot before it changes anything, named for the 編集 menu
    // ("移動"); edits with the same merge key in quick succession are one step.
    void takeUndoSnapshot(const QString& name = QString(), const QString& mergeKey = QString());
    void undo();
    void redo();
    // Forgets every undo and redo step, and the placements remembered (a new or opened
    // document).
    void clearUndo();
    // The names of the steps undo and redo would take back; empty when none.
    QString undoStepName() const;
    QString redoStepName() const;
    UndoSnapshots& undoSnapshots();

    bool isModified() const { return mModified; }
    void setModified(bool modified = true);
    // Asks every view to redraw.
    void updateAllViews() { emit changed(); }

signals:
    void changed();
    void modifiedChanged(bool modified);

private:
    Profile* mProfile;
    DocumentScalars mScalars;
    SheetFamily mSheets;
    TextRectFamily mTextRects;
    KeisennFamily mKeisenns;
    ReservedArrays mReserved;
    CLabelSheetTemplate mTemplate;
    AddressBook mAddressBook;
    AddressBookOrigin mBookOrigin;
    CAddressData mRecordList;
    PlacementMemory mPlacements;
    CAutoReplaceData mAutoReplace;
    std::array<QList<qint32>, AddressBook::GroupCount> mGroupLists;
    EnvironmentSettings mEnvironment;
    Selection mSelection;
    NewObjectDefaults mNewObject;
    std::unique_ptr<UndoSnapshots> mUndo;
    int mZoomIndex = 1;
    bool mModified = false;
};
