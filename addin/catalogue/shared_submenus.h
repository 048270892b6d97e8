// The submenus that stand both in a classic menu and, as an icon menu, on
// the standard toolbar row: one table each, so the two cannot drift apart.
// Entries only; each place opens and closes the menu its own way.
#pragma once

#include "addin/core/ribbon_step.h"

namespace tavlin {

// clang-format off
inline constexpr RibbonStep kPageSetupEntries[] = {
    steps::Item("PageSetupDialog", "Page Setup…"),
    steps::Separator(),
    steps::Item("PageMarginsGallery", "Margins"),
    steps::Item("PageOrientationGallery", "Orientation"),
    steps::Item("PageSizeGallery", "Size"),
    steps::Separator(),
    steps::Item("ColumnsDialog", "Columns"),
    steps::Item("BreakInsertDialog", "Breaks"),
    steps::Item("LineNumbersMenu", "Line Numbers"),
    steps::Separator(),
    steps::Item("HyphenationMenu", "Hypernation"),
    steps::Item("WatermarkGallery", "Watermark"),
    steps::Item("PageColorPicker", "Page Color"),
    steps::Item("PageBorderAndShadingDialog", "Page Borders"),
    steps::Separator(),
    steps::Item("HeaderInsertGallery", "Header"),
    steps::Item("FooterInsertGallery", "Footer"),
};

inline constexpr RibbonStep kZoomEntries[] = {
    steps::Item("ZoomDialog", "Zoom…"),
    steps::Item("ZoomCurrent100", "1"),
    steps::Item("ZoomOnePage", "One page"),
    steps::Item("ZoomTwoPages", "Two pages"),
    steps::Item("ZoomPageWidth", "Page Width"),
};

inline constexpr RibbonStep kCommentsEntries[] = {
    steps::Item("ReviewNewComment", "New"),
    steps::Item("ReviewDeleteCommentsMenu", "Delete"),
    steps::Item("ReviewPreviousCommentWord", "Previous"),
    steps::Item("ReviewNextCommentWord", "Next"),
};

inline constexpr RibbonStep kReferencesEntries[] = {
    steps::Item("IndexAndTables", "Index and Tables"),
    steps::Item("TableOfContentsGallery", "Table of Contents"),
    steps::Item("TableOfContentsAddTextGallery", "Add Text"),
    steps::Item("TableOfContentsUpdate", "Update Table…"),
    steps::Separator(),
    steps::Item("FootnoteInsert", "Insert Footnote"),
    steps::Item("EndnoteInsertWord", "Insert Endnote"),
    steps::Item("EndnoteNextWord", "Next Footnote"),
    steps::Item("FootnoteEndnoteDialog", "Footnote and Endnote Dialog…"),
    steps::Separator(),
    steps::Item("CitationInsert", "Insert Citation"),
    steps::Item("BibliographyManageSources", "Manage Sources"),
    steps::Item("BibliographyGallery", "Bibliography"),
    steps::Separator(),
    steps::Item("CaptionInsert", "Insert Caption…"),
    steps::Item("TableOfFiguresInsert", "Insert Table of Figures…"),
    steps::Item("TableOfFiguresUpdate", "Update Table"),
    steps::Item("CrossReferenceInsert", "Cross-reference"),
    steps::Separator(),
    steps::Item("IndexMarkEntry", "Mark Entry…"),
    steps::Item("IndexInsert", "Insert Index…"),
    steps::Item("IndexUpdate", "Update Index"),
    steps::Separator(),
    steps::Item("CitationMark", "Mark Citation…"),
    steps::Item("TableOfAuthoritiesInsert", "Insert Table of Authorities…"),
    steps::Item("TableOfAuthoritiesUpdate", "Update Table"),
};

inline constexpr RibbonStep kTrackingEntries[] = {
    steps::Item("ReviewTrackChangesMenu", "Track Changes"),
    steps::Item("ReviewBalloonsMenu", "Balloons"),
    steps::Item("ReviewDisplayForReview", "Display for Review"),
    steps::Item("ReviewReviewingPaneMenu", "Review Pane"),
    steps::Separator(),
    steps::Item("ReviewAcceptChangeMenu", "Accept"),
    steps::Item("ReviewRejectChange", "Reject"),
    steps::Item("ReviewPreviousChange", "Previous"),
    steps::Item("ReviewNextChange", "Next"),
};

inline constexpr RibbonStep kLettersAndMailingEntries[] = {
    steps::Item("EnvelopesAndLabels", "Envelope And Label Wizard"),
    steps::Item("EnvelopesAndLabelsDialog", "Envelopes…"),
    steps::Item("LabelsDialog", "Labels…"),
    steps::Separator(),
    steps::Item("MailMergeStartMailMergeMenu", "Start Mail Merge"),
    steps::Item("MailMergeSelectRecipients", "Select Recipients"),
    steps::Item("MailMergeRecipientsEditList", "Edit Recipient List…"),
    steps::Separator(),
    steps::Item("MailMergeHighlightMergeFields", "Highlight Merge Fields"),
    steps::Item("MailMergeAddressBlockInsert", "Adress Block…"),
    steps::Item("MailMergeGreetingLineInsert", "Greeting Line…"),
    steps::Item("MailMergeMergeFieldInsertMenu", "Insert Merge Field"),
    steps::Item("MailMergeRules", "Rules"),
    steps::Item("MailMergeMatchFields", "Match Fields…"),
    steps::Item("MailMergeUpdateLabels", "Update Labels"),
    steps::Separator(),
    steps::Item("MailMergeResultsPreview", "Preview Results"),
    steps::Item("MailMergeGoToFirstRecord", "First"),
    steps::Item("MailMergeGoToPreviousRecord", "Previous"),
    steps::Item("MailMergeGoToNextRecord", "Next"),
    steps::Item("MailMergeGotToLastRecord", "Last"),
    steps::Item("MailMergeFindRecipient", "Find Recipient…"),
    steps::Item("MailMergeAutoCheckForErrors", "Auto Check for Errors…"),
    steps::Separator(),
    steps::Item("MailMergeFinishAndMergeMenu", "Finish And Merge"),
};
// clang-format on

} // namespace tavlin
