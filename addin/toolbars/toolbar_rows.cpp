// The two toolbar rows under the menu row, copies of the standard and the
// formatting toolbars of earlier Word versions. Fixed content: only the
// numbers inside generated ids vary, with the counters on entry.
#include "addin/core/connect.h"

namespace tavlin {
namespace {

using Op = RibbonStep::Op;

constexpr RibbonStep Box(std::string_view open) {
    return {Op::Append, open};
}
constexpr RibbonStep EndBox() {
    return {Op::Append, "</box>"};
}
constexpr RibbonStep Group() {
    return {Op::BeginButtonGroup};
}
constexpr RibbonStep EndGroup() {
    return {Op::EndButtonGroup};
}
// EndButtonGroup, a disabled spacer button with this label, BeginButtonGroup.
constexpr RibbonStep GroupBreak(std::string_view spacer) {
    return {Op::GroupBreak, spacer};
}
constexpr RibbonStep Icon(std::string_view idMso, std::string_view screentip = {}) {
    return {Op::IconButton, idMso, screentip};
}
constexpr RibbonStep Combo(std::string_view idMso) {
    return {Op::ComboBox, idMso};
}
// An icon drop-down: no label, only an image and a screentip.
constexpr RibbonStep IconMenu(std::string_view imageMso, std::string_view screentip) {
    return {Op::BeginMenu, {}, imageMso, screentip};
}
constexpr RibbonStep EndIconMenu() {
    return {Op::EndMenu, {}, {}, {}, false};
}
constexpr RibbonStep Item(std::string_view idMso, std::string_view label) {
    return {Op::Control, idMso, label};
}
constexpr RibbonStep Separator() {
    return {Op::MenuSeparator};
}

constexpr std::string_view kStandardSpacer = "  ";
constexpr std::string_view kFormattingSpacer = " ";

// clang-format off
constexpr RibbonStep kStandardToolbar[] = {
    Box(R"(<box id="boxNew2" boxStyle="horizontal">)"),
    Group(),
        Icon("FileNew"),
        Icon("FileOpen"),
        Icon("FileSave"),
        Icon("FileSaveAsWord97_2003", "Save as …  Word 97-2003 WorkBook"),
    GroupBreak(kStandardSpacer),
        Icon("FilePermission"),
    GroupBreak(kStandardSpacer),
        Icon("FilePrint"),
        Icon("FilePrintPreview"),
        IconMenu("PageSetupDialog", "Page Setup…"),
            Item("PageSetupDialog", "Page Setup…"),
            Separator(),
            Item("PageMarginsGallery", "Margins"),
            Item("PageOrientationGallery", "Orientation"),
            Item("PageSizeGallery", "Size"),
            Separator(),
            Item("ColumnsDialog", "Columns"),
            Item("BreakInsertDialog", "Breaks"),
            Item("LineNumbersMenu", "Line Numbers"),
            Separator(),
            Item("HyphenationMenu", "Hypernation"),
            Item("WatermarkGallery", "Watermark"),
            Item("PageColorPicker", "Page Color"),
            Item("PageBorderAndShadingDialog", "Page Borders"),
            Separator(),
            Item("HeaderInsertGallery", "Header"),
            Item("FooterInsertGallery", "Footer"),
        EndIconMenu(),
    EndGroup(),
    Group(),
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
        IconMenu("ZoomDialog", "Zoom…"),
            Item("ZoomDialog", "Zoom…"),
            Item("ZoomCurrent100", "1"),
            Item("ZoomOnePage", "One page"),
            Item("ZoomTwoPages", "Two pages"),
            Item("ZoomPageWidth", "Page Width"),
        EndIconMenu(),
        Icon("ViewFullScreenReadingView"),
    GroupBreak(kStandardSpacer),
        IconMenu("ReviewNewComment", "Comments"),
            Item("ReviewNewComment", "New"),
            Item("ReviewDeleteCommentsMenu", "Delete"),
            Item("ReviewPreviousCommentWord", "Previous"),
            Item("ReviewNextCommentWord", "Next"),
        EndIconMenu(),
        IconMenu("BibliographyManageSources", "References"),
            Item("IndexAndTables", "Index and Tables"),
            Item("TableOfContentsGallery", "Table of Contents"),
            Item("TableOfContentsAddTextGallery", "Add Text"),
            Item("TableOfContentsUpdate", "Update Table…"),
            Separator(),
            Item("FootnoteInsert", "Insert Footnote"),
            Item("EndnoteInsertWord", "Insert Endnote"),
            Item("EndnoteNextWord", "Next Footnote"),
            Item("FootnoteEndnoteDialog", "Footnote and Endnote Dialog…"),
            Separator(),
            Item("CitationInsert", "Insert Citation"),
            Item("BibliographyManageSources", "Manage Sources"),
            Item("BibliographyGallery", "Bibliography"),
            Separator(),
            Item("CaptionInsert", "Insert Caption…"),
            Item("TableOfFiguresInsert", "Insert Table of Figures…"),
            Item("TableOfFiguresUpdate", "Update Table"),
            Item("CrossReferenceInsert", "Cross-reference"),
            Separator(),
            Item("IndexMarkEntry", "Mark Entry…"),
            Item("IndexInsert", "Insert Index…"),
            Item("IndexUpdate", "Update Index"),
            Separator(),
            Item("CitationMark", "Mark Citation…"),
            Item("TableOfAuthoritiesInsert", "Insert Table of Authorities…"),
            Item("TableOfAuthoritiesUpdate", "Update Table"),
        EndIconMenu(),
        IconMenu("ReviewTrackChangesMenu", "Tracking"),
            Item("ReviewTrackChangesMenu", "Track Changes"),
            Item("ReviewBalloonsMenu", "Balloons"),
            Item("ReviewDisplayForReview", "Display for Review"),
            Item("ReviewReviewingPaneMenu", "Review Pane"),
            Separator(),
            Item("ReviewAcceptChangeMenu", "Accept"),
            Item("ReviewRejectChange", "Reject"),
            Item("ReviewPreviousChange", "Previous"),
            Item("ReviewNextChange", "Next"),
        EndIconMenu(),
        IconMenu("EnvelopesAndLabels", "Letters and Mailing"),
            Item("EnvelopesAndLabels", "Envelope And Label Wizard"),
            Item("EnvelopesAndLabelsDialog", "Envelopes…"),
            Item("LabelsDialog", "Labels…"),
            Separator(),
            Item("MailMergeStartMailMergeMenu", "Start Mail Merge"),
            Item("MailMergeSelectRecipients", "Select Recipients"),
            Item("MailMergeRecipientsEditList", "Edit Recipient List…"),
            Separator(),
            Item("MailMergeHighlightMergeFields", "Highlight Merge Fields"),
            Item("MailMergeAddressBlockInsert", "Adress Block…"),
            Item("MailMergeGreetingLineInsert", "Greeting Line…"),
            Item("MailMergeMergeFieldInsertMenu", "Insert Merge Field"),
            Item("MailMergeRules", "Rules"),
            Item("MailMergeMatchFields", "Match Fields…"),
            Item("MailMergeUpdateLabels", "Update Labels"),
            Separator(),
            Item("MailMergeResultsPreview", "Preview Results"),
            Item("MailMergeGoToFirstRecord", "First"),
            Item("MailMergeGoToPreviousRecord", "Previous"),
            Item("MailMergeGoToNextRecord", "Next"),
            Item("MailMergeGotToLastRecord", "Last"),
            Item("MailMergeFindRecipient", "Find Recipient…"),
            Item("MailMergeAutoCheckForErrors", "Auto Check for Errors…"),
            Separator(),
            Item("MailMergeFinishAndMergeMenu", "Finish And Merge"),
        EndIconMenu(),
    EndGroup(),
    EndBox(),
};

constexpr RibbonStep kFormattingToolbar[] = {
    Box(R"(<box id="boxNew3" boxStyle="horizontal">)"),
    Icon("StylesPane"),
    Combo("StyleGalleryClassic"),
    Combo("Font"),
    Combo("FontSize"),
    Group(),
        Icon("Bold"),
        Icon("Italic"),
        Icon("UnderlineGallery"),
        Icon("AsianLayoutCharacterScaling"),
        Icon("ChangeCaseGallery"),
    EndGroup(),
    Group(),
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
    EndGroup(),
    EndBox(),
};
// clang-format on

} // namespace

void Connect::AddStandardToolbar() {
    Play(kStandardToolbar);
}

void Connect::AddFormattingToolbar() {
    Play(kFormattingToolbar);
}

} // namespace tavlin
