#include "tools/wordhost/ribbon_outline.h"

#include <map>
#include <stdexcept>
#include <vector>

namespace wordhost {
namespace {

struct Tag {
    enum Kind { Open, Close, Empty } kind;
    std::string name;
    std::map<std::string, std::string> attributes;
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

[[noreturn]] void ThrowMalformed(const std::string& why) {
    throw std::runtime_error("not a well-formed document: " + why);
}

// The documents the add-in writes hold elements and attributes only; any
// text between elements is ignored, as Word ignores it.
std::vector<Tag> Tags(std::string_view document) {
    std::vector<Tag> tags;
    std::size_t at = 0;
    while ((at = document.find('<', at)) != std::string_view::npos) {
        if (document.substr(at, 2) == "<?" || document.substr(at, 4) == "<!--") {
            const std::string_view terminator = document.substr(at, 2) == "<?" ? "?>" : "-->";
            const std::size_t closeAt = document.find(terminator, at);
            if (closeAt == std::string_view::npos) {
                ThrowMalformed("unclosed declaration");
            }
            at = closeAt + terminator.size();
            continue;
        }
        Tag tag{Tag::Open, {}, {}};
        ++at;
        if (at < document.size() && document[at] == '/') {
            tag.kind = Tag::Close;
            ++at;
        }
        const std::size_t nameStart = at;
        while (at < document.size() && !IsSpace(document[at]) && document[at] != '>' &&
               document[at] != '/') {
            ++at;
        }
        tag.name = std::string(document.substr(nameStart, at - nameStart));
        if (tag.name.empty()) {
            ThrowMalformed("element without a name");
        }
        for (;;) {
            while (at < document.size() && IsSpace(document[at])) {
                ++at;
            }
            if (at >= document.size()) {
                ThrowMalformed("unclosed element <" + tag.name);
            }
            if (document[at] == '>') {
                ++at;
                break;
            }
            if (document[at] == '/' && at + 1 < document.size() && document[at + 1] == '>') {
                if (tag.kind == Tag::Close) {
                    ThrowMalformed("</" + tag.name + "/>");
                }
                tag.kind = Tag::Empty;
                at += 2;
                break;
            }
            const std::size_t attributeStart = at;
            while (at < document.size() && !IsSpace(document[at]) && document[at] != '=' &&
                   document[at] != '>') {
                ++at;
            }
            const std::string attribute(document.substr(attributeStart, at - attributeStart));
            while (at < document.size() && IsSpace(document[at])) {
                ++at;
            }
            if (attribute.empty() || at >= document.size() || document[at] != '=') {
                ThrowMalformed("attribute without a value in <" + tag.name);
            }
            ++at;
            while (at < document.size() && IsSpace(document[at])) {
                ++at;
            }
            if (at >= document.size() || (document[at] != '"' && document[at] != '\'')) {
                ThrowMalformed("unquoted attribute " + attribute);
            }
            const char quote = document[at++];
            const std::size_t closeAt = document.find(quote, at);
            if (closeAt == std::string_view::npos) {
                ThrowMalformed("unclosed attribute " + attribute);
            }
            tag.attributes[attribute] = std::string(document.substr(at, closeAt - at));
            at = closeAt + 1;
        }
        tags.push_back(std::move(tag));
    }
    return tags;
}

std::string AttributeOf(const Tag& tag, const std::string& name) {
    const auto found = tag.attributes.find(name);
    return found == tag.attributes.end() ? std::string{} : found->second;
}

std::string InQuotes(const std::string& text) {
    return "\"" + text + "\"";
}

// A built-in control Word labels itself: its idMso stands for that label.
std::string ControlLine(const Tag& tag) {
    const std::string label = AttributeOf(tag, "label");
    const std::string idMso = AttributeOf(tag, "idMso");
    std::string line;
    if (!label.empty() && AttributeOf(tag, "showLabel") != "false") {
        line = label;
    } else {
        line = "[" + (idMso.empty() ? AttributeOf(tag, "id") : idMso) + "]";
        const std::string screentip = AttributeOf(tag, "screentip");
        if (!screentip.empty()) {
            line.append(" ").append(InQuotes(screentip));
        }
    }
    // Appended piecewise: GCC 12 warns falsely (-Wrestrict) on
    // literal + string here.
    if (const std::string action = AttributeOf(tag, "onAction"); !action.empty()) {
        line.append(" -> ").append(action);
    }
    return line;
}

// One line for an element, or nothing for the frame Word does not show.
std::optional<std::string> OutlineLine(const Tag& tag, int& rowsInGroup) {
    const std::string& element = tag.name;
    if (element == "tab") {
        if (!AttributeOf(tag, "idMso").empty()) {
            return AttributeOf(tag, "visible") == "false"
                       ? "Hidden tab " + AttributeOf(tag, "idMso")
                       : "Tab " + AttributeOf(tag, "idMso");
        }
        std::string line = "Tab " + InQuotes(AttributeOf(tag, "label"));
        if (const std::string before = AttributeOf(tag, "insertBeforeMso"); !before.empty()) {
            line += " (before " + before + ")";
        }
        return line;
    }
    if (element == "ribbon") {
        if (AttributeOf(tag, "startFromScratch") == "true") {
            return "Ribbon from scratch";
        }
        return std::nullopt;
    }
    if (element == "group") {
        rowsInGroup = 0;
        return "Group " + InQuotes(AttributeOf(tag, "label"));
    }
    if (element == "box") {
        return "Row " + std::to_string(++rowsInGroup);
    }
    if (element == "buttonGroup") {
        return "Buttons";
    }
    if (element == "menu") {
        const std::string label = AttributeOf(tag, "label");
        if (!label.empty()) {
            return "Menu " + InQuotes(label);
        }
        std::string line = "Menu [" + AttributeOf(tag, "imageMso") + "]";
        if (const std::string screentip = AttributeOf(tag, "screentip"); !screentip.empty()) {
            line += " " + InQuotes(screentip);
        }
        return line;
    }
    if (element == "menuSeparator") {
        return "----";
    }
    if (element == "comboBox") {
        return "Combo box [" + AttributeOf(tag, "idMso") + "]";
    }
    if (element == "labelControl") {
        return "Label " + InQuotes(AttributeOf(tag, "label"));
    }
    if (element == "button" && AttributeOf(tag, "enabled") == "false" &&
        AttributeOf(tag, "label").find_first_not_of(' ') == std::string::npos) {
        return "(space)";
    }
    if (element == "control" || element == "button" || element == "toggleButton" ||
        element == "gallery" || element == "splitButton" || element == "checkBox") {
        return ControlLine(tag);
    }
    if (element == "customUI" || element == "tabs" || element == "qat" || element == "officeMenu") {
        return std::nullopt;
    }
    return "<" + element + ">";
}

} // namespace

std::string RibbonOutline(std::string_view document) {
    std::string outline;
    std::vector<std::string> openElements;
    std::vector<bool> shown; // whether each open element took a level
    int depth = 0;
    int rowsInGroup = 0;
    for (const Tag& tag : Tags(document)) {
        if (tag.kind == Tag::Close) {
            if (openElements.empty() || openElements.back() != tag.name) {
                ThrowMalformed("</" + tag.name + "> closes " +
                               (openElements.empty() ? "nothing" : openElements.back()));
            }
            openElements.pop_back();
            if (shown.back()) {
                --depth;
            }
            shown.pop_back();
            continue;
        }
        const std::optional<std::string> line = OutlineLine(tag, rowsInGroup);
        if (line) {
            outline.append(static_cast<std::size_t>(depth) * 2, ' ');
            outline += *line;
            outline += '\n';
        }
        if (tag.kind == Tag::Open) {
            openElements.push_back(tag.name);
            shown.push_back(line.has_value());
            if (line) {
                ++depth;
            }
        }
    }
    if (!openElements.empty()) {
        ThrowMalformed("<" + openElements.back() + "> is never closed");
    }
    return outline;
}

std::optional<std::string> ControlForAction(std::string_view document, std::string_view callback) {
    for (const Tag& tag : Tags(document)) {
        if (tag.kind != Tag::Close && AttributeOf(tag, "onAction") == callback) {
            return AttributeOf(tag, "id");
        }
    }
    return std::nullopt;
}

} // namespace wordhost
