#include "addin/about/about_layout.h"

#include <algorithm>

namespace tavlin::about {
namespace {

// The English window as designed at 96 DPI; every gap is in these units.
constexpr int kMargin = 20;
constexpr int kMinContentWidth = 300;
constexpr int kMinButtonWidth = 80;
constexpr int kButtonPadding = 24;
constexpr int kMinTitleHeight = 28;
constexpr int kMinTextHeight = 18;
constexpr int kMinButtonHeight = 26;
// Room beyond a measured text: a static control clips its last pixel, a
// button draws a frame round its caption.
constexpr int kTextSlack = 2;
constexpr int kTitleSlack = 4;
constexpr int kButtonSlack = 10;
constexpr int kTop = 14;
constexpr int kTitleGap = 6;
constexpr int kLineGap = 10;
constexpr int kAfterLine = 14;
constexpr int kLineHeight = 2;
// The link is focusable: its focus frame needs room round the address.
constexpr int kLinkPadding = 4;

} // namespace

Layout LayoutFor(const MeasuredTexts& texts, int dpi) {
    const auto px = [dpi](int design) { return Scaled(design, dpi); };
    Layout l;
    l.margin = px(kMargin);
    l.lineHeight = px(kLineHeight);
    l.titleHeight = std::max(px(kMinTitleHeight), texts.title.height + px(kTitleSlack));
    l.textHeight =
        std::max({px(kMinTextHeight), texts.version.height + px(kTextSlack),
                  texts.website.height + px(kTextSlack), texts.link.height + px(kTextSlack)});
    l.websiteWidth = texts.website.width + px(kTextSlack);
    l.linkPadding = px(kLinkPadding);
    l.linkWidth = texts.link.width + px(kTextSlack) + 2 * l.linkPadding;
    l.okWidth = std::max(px(kMinButtonWidth), texts.ok.width + px(kButtonPadding));
    l.okHeight = std::max(px(kMinButtonHeight), texts.ok.height + px(kButtonSlack));
    l.contentWidth =
        std::max({px(kMinContentWidth), texts.title.width + px(kTextSlack),
                  texts.version.width + px(kTextSlack), l.websiteWidth + l.linkWidth, l.okWidth});
    l.titleY = px(kTop);
    l.versionY = l.titleY + l.titleHeight + px(kTitleGap);
    l.lineTopY = l.versionY + l.textHeight + px(kLineGap);
    l.websiteY = l.lineTopY + px(kAfterLine);
    l.lineBottomY = l.websiteY + l.textHeight + px(kLineGap);
    l.okY = l.lineBottomY + px(kAfterLine);
    l.clientWidth = l.margin + l.contentWidth + l.margin;
    l.clientHeight = l.okY + l.okHeight + px(kTop);
    return l;
}

} // namespace tavlin::about
