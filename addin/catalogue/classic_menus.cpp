// The classic menu catalogue: the nine drop-down menus of earlier Word
// versions. Every entry is one of Word's own controls (its idMso), so Word
// carries out the command itself. Rows are in writing order; an indented
// run after Submenu() is that submenu's content. The menus' own names are
// keys into each language's texts. The controls' captions are English
// Word's alone, UTF-8, every "…" U+2026; "Field..." really has three full
// stops, and the odd spellings ("Hypernation", "Adress", "Sinchronous"...)
// are what users of the product have always seen.
#include "addin/catalogue/classic_menus.h"

#include "addin/catalogue/shared_submenus.h"

#include <array>

namespace tavlin {
namespace {

using steps::Contents;
using steps::Item;
using steps::Separator;

constexpr RibbonStep Menu(OwnText label) {
    return {step::BeginMenu{label, {}, OwnText::None}};
}
constexpr RibbonStep Submenu(OwnText label) {
    return {step::BeginMenu{label, {}, OwnText::None}};
}
constexpr RibbonStep EndSubmenu() {
    return {step::EndMenu{false}};
}
constexpr RibbonStep EndTopMenu() {
    return {step::EndMenu{true}};
}
// Help is the last menu of the row: nothing follows it to be spaced from.
constexpr RibbonStep EndLastMenu() {
    return {step::EndMenu{false}};
}
constexpr RibbonStep OwnButton(std::string_view id, OwnText label, OwnText screentip,
                               std::string_view onAction) {
    return {step::OwnButton{id, label, screentip, onAction}};
}

// clang-format off
constexpr RibbonStep kFileMenu[] = {
    Menu(OwnText::MenuFile),
    Item("FileNew", "New"),
    Item("FileOpen", "Open"),
    Item("FileClose", "Close"),
    Separator(),
    Item("FileSave", "Save"),
    Item("FileSaveAsMenu", "Save As"),
    Item("FileSaveAsWord97_2003", "Save As … Word 97 - 2003 Document"),
    Item("FileSaveAsWebPage", "Save as Web Page …"),
    Separator(),
    Item("FilePermissionRestrictMenu", "Restrict Permission"),
    Separator(),
    Item("WebPagePreview", "Web page Preview"),
    Separator(),
    Submenu(OwnText::PageSetup),
        Contents(kPageSetupEntries),
    EndSubmenu(),
    Item("FilePrintPreview", "Print Preview"),
    Item("FilePrint", "Print"),
    Separator(),
    Item("FilePrepareMenu", "Prepare"),
    Item("FileSendMenu", "Send"),
    Item("MenuPublish", "Publish"),
    Item("FileProperties", "View Document Properties…"),
    Separator(),
    Item("FileExit", "Exit Word"),
    EndTopMenu(),
};

constexpr RibbonStep kEditMenu[] = {
    Menu(OwnText::MenuEdit),
    Item("Undo", ""),
    Item("RedoOrRepeat", ""),
    Separator(),
    Item("Cut", "Cut"),
    Item("Copy", "Copy"),
    Item("ShowClipboard", "Office Clipboard …"),
    Item("Paste", "Paste"),
    Item("PasteSpecialDialog", "Paste Special …"),
    Item("PasteAsHyperlink", "Paste as Hyperlink"),
    Separator(),
    Item("ClearMenuWord", "Clear"),
    Item("SelectAll", "Select All"),
    Separator(),
    Item("FindDialog", "Find …"),
    Item("ReplaceDialog", "Replace…"),
    Item("GoTo", "Go To…"),
    Separator(),
    Item("ObjectEditDialog", "Object…"),
    EndTopMenu(),
};

constexpr RibbonStep kViewMenu[] = {
    Menu(OwnText::MenuView),
    Item("ViewDraftView", "Draft"),
    Item("ViewWebLayoutView", "Web Layout"),
    Item("ViewPrintLayoutView", "Print Layout"),
    Item("ViewFullScreenReadingView", "Full Screen Reading"),
    Item("ViewOutlineView", "Outline"),
    Separator(),
    Item("ViewRulerWord", "Ruler"),
    Item("ViewGridlines", "View Gridlines"),
    Item("ViewMessageBar", "Message Bar"),
    Separator(),
    Item("DocumentMapReadingView", "Document Map"),
    Item("ViewThumbnails", "Thumbnails"),
    Separator(),
    Submenu(OwnText::HeaderAndFooter),
        Item("HeaderInsertGallery", "Header"),
        Item("FooterInsertGallery", "Footer"),
        Item("HeaderFooterPageNumberInsert", "Page Number"),
    EndSubmenu(),
    Item("FootnotesEndnotesShow", "Show Notes"),
    Item("ReviewShowMarkupMenu", "Show Markup"),
    Separator(),
    Item("ViewFullScreenView", "Full Screen"),
    Submenu(OwnText::Zoom),
        Contents(kZoomEntries),
    EndSubmenu(),
    Separator(),
    Item("FileProperties", "Properties"),
    EndTopMenu(),
};

constexpr RibbonStep kInsertMenu[] = {
    Menu(OwnText::MenuInsert),
    Item("PageBreakInsertWord", "Page Break"),
    Item("HeaderFooterPageNumberInsert", "Page Number"),
    Item("DateAndTimeInsert", "Date And Time …"),
    Item("QuickPartsInsertGallery", "Quick Parts"),
    Item("FieldInsert", "Field..."),
    Item("SymbolInsertGallery", "Symbol"),
    Submenu(OwnText::Comments),
        Contents(kCommentsEntries),
    EndSubmenu(),
    Separator(),
    Item("InsertBuildingBlocksEquationsGallery", "Equation"),
    Submenu(OwnText::References),
        Contents(kReferencesEntries),
    EndSubmenu(),
    Item("WebComponent", "Web Component…"),
    Separator(),
    Submenu(OwnText::Illustrations),
        Item("ClipArtInsert", "Clip Art…"),
        Item("PictureInsertFromFile", "Picture…"),
        Separator(),
        Item("DrawingCanvasInsert", "New Drawing Canvas"),
        Item("GalleryAllShapesAndCanvas", "Shapes"),
        Item("WordArtInsertGalleryClassic", "Word Art"),
        Item("OrganizationChartInsert", "Organization Chart"),
        Item("ChartInsert", "Chart…"),
    EndSubmenu(),
    Item("SmartArtInsert", "Diagram"),
    Item("TextBoxInsertGallery", "Text Box"),
    Item("TextFromFileInsert", "Text from File…"),
    Item("OleObjectctInsert", "Object…"),
    Item("BookmarkInsert", "Bookmark…"),
    Item("HyperlinkInsert", "Hyperlink…"),
    Separator(),
    Item("CoverPageInsertGallery", "Cover Page"),
    Item("SignatureLineInsertMenu", "Signature Line"),
    EndTopMenu(),
};

constexpr RibbonStep kFormatMenu[] = {
    Menu(OwnText::MenuFormat),
    Item("FontDialog", "Font…"),
    Item("ParagraphDialog", "Paragraph…"),
    Item("BulletsAndNumberingBulletsDialog", "Bullets and Numbering…"),
    Item("BordersShadingDialog", "Borders and Shading…"),
    Separator(),
    Item("ColumnsDialog", "More Columns…"),
    Item("TabsDialog", "Tabs…"),
    Item("DropCapInsertGallery", "Drop Cap"),
    Item("ChangeCaseDialogClassic", "Change Case"),
    Separator(),
    Item("AsianLayoutFitText", "Fit Text…"),
    Separator(),
    Item("PageColorPicker", "Page Color"),
    Item("WatermarkGallery", "Watermark"),
    Item("ThemesGallery", "Themes"),
    Item("ChangeStylesMenu", "Change Styles"),
    Item("ThemeEffectsGallery", "Effects"),
    Separator(),
    Item("FramesetMenu", "Frames"),
    Item("AutoFormatOptions", "AutoFormat…"),
    Item("StylesPane", "Styles…"),
    Item("RevealFormatting", "Reveal Formatting…"),
    Separator(),
    Submenu(OwnText::Arrange),
        Item("PicturePositionGallery", "Position"),
        Item("ObjectBringToFrontMenu", "Bring to Front"),
        Item("ObjectSendToBackMenu", "Send to Back"),
        Item("TextWrappingMenu", "Text Wrapping"),
        Item("ObjectAlignMenu", "Align"),
        Item("ObjectsGroupMenu", "Group"),
        Item("ObjectRotateGallery", "Rotate"),
    EndSubmenu(),
    Item("ObjectEditDialog", "Object…"),
    EndTopMenu(),
};

constexpr RibbonStep kToolsMenu[] = {
    Menu(OwnText::MenuTools),
    Item("SpellingAndGrammar", "Spelling And Grammar"),
    Item("ResearchPane", "Research…"),
    Submenu(OwnText::LanguageMenu),
        Item("SetLanguage", "Set Language"),
        Item("TranslationPane", "Translate"),
        Item("Thesaurus", "Thesaurus"),
        Item("HyphenationMenu", "Hypernation"),
    EndSubmenu(),
    Item("WordCount", "Word Count…"),
    Item("AutoSummaryToolsMenu", "Auto Summarize"),
    Item("LookUp", "Look Up"),
    Separator(),
    Item("FileCreateDocumentWorkspace", "Create Document Workspace"),
    Submenu(OwnText::Tracking),
        Contents(kTrackingEntries),
    EndSubmenu(),
    Submenu(OwnText::CompareAndCombine),
        Item("ReviewCompareMenu", "Compare"),
        Item("ReviewCombineRevisions", "Combine"),
    EndSubmenu(),
    Item("ReviewProtectDocumentMenu", "Protect Document…"),
    Separator(),
    Submenu(OwnText::LettersAndMailing),
        Contents(kLettersAndMailingEntries),
    EndSubmenu(),
    Separator(),
    Submenu(OwnText::Macro),
        Item("PlayMacro", "Macros"),
        Item("MacroRecord", "Record Macro…"),
        Item("MacroRecorderPause", "Pause Recording"),
        Item("MacroSecurity", "Macro Security"),
        Separator(),
        Item("VisualBasic", "Visual Basic"),
    EndSubmenu(),
    Submenu(OwnText::Controls),
        Item("DesignMode", "Designe Mode"),
        Item("ControlProperties", "Properties"),
        Item("ContentControlsGroupMenu", "Group"),
        Separator(),
        Item("ContentControlRichText", "Rich Text"),
        Item("ContentControlText", "Text"),
        Item("ContentControlPicture", "Picture"),
        Item("ContentControlComboBox", "Combo Box"),
        Item("ContentControlDropDownList", "Drop-Down List"),
        Item("ContentControlDate", "Date"),
        Item("ContentControlBuildingBlockGallery", "Building Block Gallery"),
        Item("ControlsGalleryClassic", "Legacy Tools"),
    EndSubmenu(),
    Submenu(OwnText::Xml),
        Item("XmlStructure", "Structure"),
        Item("XmlSchema", "Schema"),
        Item("XmlTransformation", "Transformation"),
        Item("XmlExpansionPacksWord", "Expansion Packs"),
    EndSubmenu(),
    Separator(),
    Item("DocumentTemplate", "Document Template"),
    Item("AutoCorrect", "AutoCorrect Options…"),
    Item("FileAddDigitalSignature", "Add a Digital Sinature"),
    Item("ApplicationOptionsDialog", "Word Options"),
    EndTopMenu(),
};

constexpr RibbonStep kTableMenu[] = {
    Menu(OwnText::MenuTable),
    Item("TableDrawTable", "Draw Table"),
    Item("TableInsertGallery", "Table"),
    Separator(),
    Submenu(OwnText::TableInsert),
        Item("TableColumnsInsertLeft", "Insert Left"),
        Item("TableColumnsInsertRight", "Insert Right"),
        Separator(),
        Item("TableRowsInsertAboveWord", "Insert Above"),
        Item("TableRowsInsertBelowWord", "Insert Below"),
        Separator(),
        Item("CellsInsertDialog", "Insert Cells"),
    EndSubmenu(),
    Submenu(OwnText::TableDelete),
        Item("TableDelete", "Delete Table"),
        Item("TableColumnsDelete", "Delete Columns"),
        Item("TableRowsDelete", "Delete Rows"),
        Item("CellsDelete", "Delete Cells…"),
    EndSubmenu(),
    Submenu(OwnText::TableSelect),
        Item("TableSelect", "Select Table"),
        Item("TableColumnSelect", "Select Columns"),
        Item("TableRowSelect", "Select Rows"),
        Item("TableSelectCell", "Select Cells…"),
    EndSubmenu(),
    Item("MergeCells", "Merge Cells"),
    Item("SplitCells", "Split Cells…"),
    Item("TableSplitTable", "Split Table…"),
    Separator(),
    Item("TableAutoFormatStyle", "Table AutoFormat…"),
    Item("TableAutoFitMenu", "AutoFit"),
    Item("TableRowsDistribute", "Distribute Rows"),
    Item("TableColumnsDistribute", "Distribute Columns"),
    Item("TableRepeatHeaderRows", "Repeat Header Rows"),
    Separator(),
    Submenu(OwnText::TableConvert),
        Item("ConvertTextToTable", "Convert Text to Table…"),
        Item("ConvertTableToText", "Convert to Text…"),
    EndSubmenu(),
    Item("SortDialogClassic", "Sort…"),
    Item("TableFormulaDialog", "Formula…"),
    Item("TableShowGridlines", "View Gridlines"),
    Separator(),
    Item("TablePropertiesDialog", "Properties…"),
    EndTopMenu(),
};

constexpr RibbonStep kWindowsMenu[] = {
    Menu(OwnText::MenuWindow),
    Item("WindowNew", "New Window"),
    Item("WindowsArrangeAll", "Arrange All"),
    Item("WindowSideBySide", "View Side by Side"),
    Item("WindowSplit", "Split"),
    Separator(),
    Item("WindowSideBySideSynchronousScrolling", "Sinchronous Scrolling"),
    Item("WindowResetPosition", "Resert Window Position"),
    Separator(),
    Item("WindowSwitchWindowsMenuWord", "Switch Windows"),
    EndTopMenu(),
};

constexpr RibbonStep kHelpMenu[] = {
    Menu(OwnText::MenuHelp),
    Item("Help", "Microsoft Office Word Help"),
    Separator(),
    Item("ContactUs", "Contact Us …"),
    Item("CheckForUpdates", "Check for Updates"),
    Separator(),
    OwnButton("d24224025", OwnText::UninstallTavlin, OwnText::UninstallTip, "Uninstall0"),
    Separator(),
    OwnButton("d242242", OwnText::AboutTavlin, OwnText::None, "ShowAbout0"),
    EndLastMenu(),
};

// clang-format on

constexpr std::array<std::span<const RibbonStep>, 9> kClassicMenus{{
    kFileMenu,
    kEditMenu,
    kViewMenu,
    kInsertMenu,
    kFormatMenu,
    kToolsMenu,
    kTableMenu,
    kWindowsMenu,
    kHelpMenu,
}};

} // namespace

std::span<const std::span<const RibbonStep>> ClassicMenus() {
    return kClassicMenus;
}

} // namespace tavlin
