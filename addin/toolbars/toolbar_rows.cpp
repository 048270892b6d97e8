// The two toolbar rows under the menu row, copies of the standard and the
// formatting toolbars of earlier Word versions. Fixed content: only the
// numbers inside generated ids vary, with the counters on entry.
#include "addin/toolbars/toolbar_rows.h"

#include "addin/catalogue/shared_submenus.h"

namespace tavlin {
namespace {

using steps::Contents;

constexpr RibbonStep Box(std::string_view openingTag) {
    return {step::Literal{openingTag}};
}
constexpr RibbonStep EndBox() {
    return {step::Literal{"</box>"}};
}
constexpr RibbonStep ButtonGroup() {
    return {step::BeginButtonGroup{}};
}
constexpr RibbonStep EndButtonGroup() {
    return {step::EndButtonGroup{}};
}
constexpr RibbonStep GroupBreak(std::string_view spacerLabel) {
    return {step::GroupBreak{spacerLabel}};
}
constexpr RibbonStep Icon(std::string_view idMso, std::string_view screentip = {}) {
    return {step::IconButton{idMso, screentip}};
}
constexpr RibbonStep Combo(std::string_view idMso) {
    return {step::ComboBox{idMso}};
}
constexpr RibbonStep IconMenu(std::string_view imageMso, OwnText screentip) {
    return {step::BeginMenu{OwnText::None, imageMso, screentip}};
}
constexpr RibbonStep EndIconMenu() {
    return {step::EndMenu{false}};
}

constexpr std::string_view kStandardSpacer = "  ";
constexpr std::string_view kFormattingSpacer = " ";

// clang-format off
constexpr RibbonStep kStandardToolbar[] = {
    Box(R"(<box id="boxNew2" boxStyle="horizontal">)"),
    ButtonGroup(),
        Icon("FileNew"),
        Icon("FileOpen"),
        Icon("FileSave"),
        Icon("FileSaveAsWord97_2003", "Save as …  Word 97-2003 WorkBook"),
    GroupBreak(kStandardSpacer),
        Icon("FilePermission"),
    GroupBreak(kStandardSpacer),
        Icon("FilePrint"),
        Icon("FilePrintPreview"),
        IconMenu("PageSetupDialog", OwnText::PageSetup),
            Contents(kPageSetupEntries),
        EndIconMenu(),
    EndButtonGroup(),
    ButtonGroup(),
        Icon("SpellingAndGrammar"),
        Icon("ResearchPane"),
    GroupBreak(kStandardSpacer),
        Icon("Cut"),
        Icon("Copy"),
        Icon("Paste"),
        Icon("FormatPainter"),
        Icon("Undo"),
        Icon("RedoOrRepeat"),
    GroupBreak(kStandardSpacer),
        Icon("HyperlinkInsert"),
        Icon("TableBordersMenu"),
        Icon("TableDrawTable"),
    GroupBreak(kStandardSpacer),
        Icon("ColumnsDialog"),
        Icon("TextDirection"),
    GroupBreak(kStandardSpacer),
        Icon("DocumentMapReadingView", "Document map"),
        IconMenu("ZoomDialog", OwnText::Zoom),
            Contents(kZoomEntries),
        EndIconMenu(),
        Icon("ViewFullScreenReadingView"),
    GroupBreak(kStandardSpacer),
        IconMenu("ReviewNewComment", OwnText::Comments),
            Contents(kCommentsEntries),
        EndIconMenu(),
        IconMenu("BibliographyManageSources", OwnText::References),
            Contents(kReferencesEntries),
        EndIconMenu(),
        IconMenu("ReviewTrackChangesMenu", OwnText::Tracking),
            Contents(kTrackingEntries),
        EndIconMenu(),
        IconMenu("EnvelopesAndLabels", OwnText::LettersAndMailing),
            Contents(kLettersAndMailingEntries),
        EndIconMenu(),
    EndButtonGroup(),
    EndBox(),
};

constexpr RibbonStep kFormattingToolbar[] = {
    Box(R"(<box id="boxNew3" boxStyle="horizontal">)"),
    Icon("StylesPane"),
    Combo("StyleGalleryClassic"),
    Combo("Font"),
    Combo("FontSize"),
    ButtonGroup(),
        Icon("Bold"),
        Icon("Italic"),
        Icon("UnderlineGallery"),
        Icon("AsianLayoutCharacterScaling"),
        Icon("ChangeCaseGallery"),
    EndButtonGroup(),
    ButtonGroup(),
        Icon("AlignLeft"),
        Icon("AlignJustify"),
        Icon("AlignCenter"),
        Icon("LineSpacingMenu"),
    GroupBreak(kFormattingSpacer),
        Icon("NumberingGalleryWord"),
        Icon("BulletsGalleryWord"),
        Icon("IndentDecreaseWord"),
        Icon("IndentIncreaseWord"),
        Icon("SortDialogClassic"),
    GroupBreak(kFormattingSpacer),
        Icon("TextHighlightColorPicker"),
        Icon("FontColorPicker"),
        Icon("QuickStylesGallery"),
        Icon("ClearFormatting"),
        Icon("Help"),
    EndButtonGroup(),
    EndBox(),
};
// clang-format on

} // namespace

std::span<const RibbonStep> StandardToolbar() {
    return kStandardToolbar;
}

std::span<const RibbonStep> FormattingToolbar() {
    return kFormattingToolbar;
}

} // namespace tavlin
