#pragma once

// The program's commands by number. Menus, tool bars and the command-state rules all name
// a command by its id.
namespace CommandIds {

enum : int
{
    // ファイル
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    OpenTemplate = 274,
    SaveTemplate = 273,
    FilePrint = 57607,
    ExportPdf = 32900, // PDFに出力: this program's own command
    PrintSetup = 57606,
    RecentFile1 = 57616, // and the three that follow
    RecentFileCount = 4,
    AppExit = 57665,

    // 編集
    EditUndo = 57643,
    EditRedo = 57644,
    EditCut = 57635,
    EditCopy = 57634,
    EditPaste = 57637,
    EditDuplicate = 40010,
    BringIntoPaper = 40011,
    TemplateMode = 133,
    DataMode = 32771,
    ClearReservation = 179,
    ReloadReservation = 391,
    GridNone = 354,
    Grid1mm = 355,
    Grid5mm = 356,
    Grid10mm = 357,

    // シート
    SheetBackground = 152,
    SheetPictureRotateRight = 261,
    SheetPictureRotateLeft = 223,
    SheetAlignLeft = 170,
    SheetAlignCentre = 171,
    SheetAlignRight = 172,
    SheetAlignTop = 173,
    SheetAlignMiddle = 174,
    SheetAlignBottom = 175,
    SheetSameWidth = 176,
    SheetSameHeight = 177,
    SheetSameBoth = 178,
    SheetFitPictureKeepHeight = 180,
    SheetFitPictureKeepWidth = 181,
    SheetCentreHorizontally = 358,
    SheetCentreVertically = 359,
    SheetSplit = 403,
    SheetPosition = 214,
    SheetOrder = 528,
    SheetsAlike = 529,

    // 文字列
    TextFont = 136,
    TextColor = 211,
    TextSpacing = 369,
    TextItalic = 215,
    TextBold = 216,
    TextStrikeOut = 251,
    TextUnderline = 213,
    TextAlignLeft = 137,
    TextAlignCentre = 138,
    TextAlignRight = 139,
    TextRotateRight = 140,
    TextRotateLeft = 186,
    TextOutline = 141,
    TextFindReplace = 409,

    // 文字列編集領域
    RegionBackground = 275,
    RegionPictureRotateRight = 226,
    RegionPictureRotateLeft = 227,
    RegionFrame = 160,
    RegionAlignLeft = 370,
    RegionAlignCentre = 371,
    RegionAlignRight = 372,
    RegionAlignTop = 373,
    RegionAlignMiddle = 374,
    RegionAlignBottom = 375,
    RegionSameWidth = 376,
    RegionSameHeight = 377,
    RegionSameBoth = 378,
    RegionFitPictureKeepHeight = 380,
    RegionFitPictureKeepWidth = 381,
    RegionCentreHorizontally = 360,
    RegionCentreVertically = 361,
    RegionDistributeHorizontally = 396,
    RegionDistributeVertically = 397,
    RegionRotateRight = 252,
    RegionRotateLeft = 253,
    RegionSplit = 404,
    RegionPosition = 183,

    // 罫線
    LineDistribute = 350,
    LineCentreHorizontally = 362,
    LineCentreVertically = 363,
    LineAutoPlace = 536,
    LinePosition = 217,

    // データ, ツール
    AddressBookWindow = 301,
    CsvFile = 418,
    Database = 534,
    ReceiveDatabaseData = 184, // sent by a database program, no menu entry
    PicturePrint = 407,

    // 表示
    EditDisplay = 228,
    PreviewDisplay = 229,
    FirstPage = 32781,
    BackTenPages = 187,
    PreviousPage = 32780,
    NextPage = 32784,
    ForwardTenPages = 188,
    LastPage = 32782,
    ShowGrid = 153,
    ShowSheetNumbers = 189,
    ShowRegionNumbers = 161,
    ShowLineNumbers = 351,
    ShowPaperPicture = 364,
    ZoomIn = 164,
    ZoomOut = 165,
    ViewToolBar = 59392,
    ViewStatusBar = 59393,

    // 設定, ヘルプ
    EnvironmentSetup = 185,
    AutoReplaceSettings = 420,
    PrintSettings = 163,
    TestPrint = 166,
    About = 57664,

    // The creation tools of the object tool bar.
    ToolAddSheet = 32791,
    ToolDrawSheet = 32800,
    ToolSheets = 32797,
    ToolAddRegion = 32790,
    ToolDrawRegion = 32801,
    ToolRegions = 32798,
    ToolAddLine = 32792,
    ToolAddLineTable = 32796,
    ToolLines = 32799,

    // The drawing view's right-button menu.
    DeleteSelection = 203,
    ImportText = 367,
};

} // namespace CommandIds
