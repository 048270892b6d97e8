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

[[noreturn]] void Broken(const std::string& why) {
    throw std::runtime_error("not a well-formed document: " + why);
}

// The documents the add-in writes hold elements and attributes only; any
// text between elements is ignored, as Word ignores it.
std::vector<Tag> Tags(std::string_view doc) {
    std::vector<Tag> tags;
    std::size_t i = 0;
    while ((i = doc.find('<', i)) != std::string_view::npos) {
        if (doc.substr(i, 2) == "<?" || doc.substr(i, 4) == "<!--") {
            const std::string_view end = doc.substr(i, 2) == "<?" ? "?>" : "-->";
            const std::size_t close = doc.find(end, i);
            if (close == std::string_view::npos) {
                Broken("unclosed declaration");
            }
            i = close + end.size();
            continue;
        }
        Tag tag{Tag::Open, {}, {}};
        ++i;
        if (i < doc.size() && doc[i] == '/') {
            tag.kind = Tag::Close;
            ++i;
        }
        const std::size_t nameStart = i;
        while (i < doc.size() && !IsSpace(doc[i]) && doc[i] != '>' && doc[i] != '/') {
            ++i;
        }
        tag.name = std::string(doc.substr(nameStart, i - nameStart));
        if (tag.name.empty()) {
            Broken("element without a name");
        }
        for (;;) {
            while (i < doc.size() && IsSpace(doc[i])) {
                ++i;
            }
            if (i >= doc.size()) {
                Broken("unclosed element <" + tag.name);
            }
            if (doc[i] == '>') {
                ++i;
                break;
            }
            if (doc[i] == '/' && i + 1 < doc.size() && doc[i + 1] == '>') {
                if (tag.kind == Tag::Close) {
                    Broken("</" + tag.name + "/>");
                }
                tag.kind = Tag::Empty;
                i += 2;
                break;
            }
            const std::size_t attrStart = i;
            while (i < doc.size() && !IsSpace(doc[i]) && doc[i] != '=' && doc[i] != '>') {
                ++i;
            }
            const std::string attr(doc.substr(attrStart, i - attrStart));
            while (i < doc.size() && IsSpace(doc[i])) {
                ++i;
            }
            if (attr.empty() || i >= doc.size() || doc[i] != '=') {
                Broken("attribute without a value in <" + tag.name);
            }
            ++i;
            while (i < doc.size() && IsSpace(doc[i])) {
                ++i;
            }
            if (i >= doc.size() || (doc[i] != '"' && doc[i] != '\'')) {
                Broken("unquoted attribute " + attr);
            }
            const char quote = doc[i++];
            const std::size_t close = doc.find(quote, i);
            if (close == std::string_view::npos) {
                Broken("unclosed attribute " + attr);
            }
            tag.attributes[attr] = std::string(doc.substr(i, close - i));
            i = close + 1;
        }
        tags.push_back(std::move(tag));
    }
    return tags;
}

std::string Get(const Tag& t, const std::string& name) {
    const auto found = t.attributes.find(name);
    return found == t.attributes.end() ? std::string{} : found->second;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// A built-in control Word labels itself: its idMso stands for that label.
std::string ControlLine(const Tag& t) {
    const std::string label = Get(t, "label");
    const std::string idMso = Get(t, "idMso");
    std::string line;
    if (!label.empty() && Get(t, "showLabel") != "false") {
        line = label;
    } else {
        line = "[" + (idMso.empty() ? Get(t, "id") : idMso) + "]";
        const std::string tip = Get(t, "screentip");
        if (!tip.empty()) {
            line.append(" ").append(Quoted(tip));
        }
    }
    // Appended piecewise: GCC 12 warns falsely (-Wrestrict) on
    // literal + string here.
    if (const std::string action = Get(t, "onAction"); !action.empty()) {
        line.append(" -> ").append(action);
    }
    return line;
}

// One line for an element, or nothing for the frame Word does not show.
std::optional<std::string> Line(const Tag& t, int& rows) {
    const std::string& n = t.name;
    if (n == "tab") {
        if (!Get(t, "idMso").empty()) {
            return Get(t, "visible") == "false" ? "Hidden tab " + Get(t, "idMso")
                                                : "Tab " + Get(t, "idMso");
        }
        std::string line = "Tab " + Quoted(Get(t, "label"));
        if (const std::string before = Get(t, "insertBeforeMso"); !before.empty()) {
            line += " (before " + before + ")";
        }
        return line;
    }
    if (n == "ribbon") {
        if (Get(t, "startFromScratch") == "true") {
            return "Ribbon from scratch";
        }
        return std::nullopt;
    }
    if (n == "group") {
        rows = 0;
        return "Group " + Quoted(Get(t, "label"));
    }
    if (n == "box") {
        return "Row " + std::to_string(++rows);
    }
    if (n == "buttonGroup") {
        return "Buttons";
    }
    if (n == "menu") {
        const std::string label = Get(t, "label");
        if (!label.empty()) {
            return "Menu " + Quoted(label);
        }
        std::string line = "Menu [" + Get(t, "imageMso") + "]";
        if (const std::string tip = Get(t, "screentip"); !tip.empty()) {
            line += " " + Quoted(tip);
        }
        return line;
    }
    if (n == "menuSeparator") {
        return "----";
    }
    if (n == "comboBox") {
        return "Combo box [" + Get(t, "idMso") + "]";
    }
    if (n == "labelControl") {
        return "Label " + Quoted(Get(t, "label"));
    }
    if (n == "button" && Get(t, "enabled") == "false" &&
        Get(t, "label").find_first_not_of(' ') == std::string::npos) {
        return "(space)";
    }
    if (n == "control" || n == "button" || n == "toggleButton" || n == "gallery" ||
        n == "splitButton" || n == "checkBox") {
        return ControlLine(t);
    }
    if (n == "customUI" || n == "tabs" || n == "qat" || n == "officeMenu") {
        return std::nullopt;
    }
    return "<" + n + ">";
}

} // namespace

std::string RibbonOutline(std::string_view document) {
    std::string out;
    std::vector<std::string> open;
    std::vector<bool> shown; // whether each open element took a level
    int depth = 0;
    int rows = 0;
    for (const Tag& t : Tags(document)) {
        if (t.kind == Tag::Close) {
            if (open.empty() || open.back() != t.name) {
                Broken("</" + t.name + "> closes " + (open.empty() ? "nothing" : open.back()));
            }
            open.pop_back();
            if (shown.back()) {
                --depth;
            }
            shown.pop_back();
            continue;
        }
        const std::optional<std::string> line = Line(t, rows);
        if (line) {
            out.append(static_cast<std::size_t>(depth) * 2, ' ');
            out += *line;
            out += '\n';
        }
        if (t.kind == Tag::Open) {
            open.push_back(t.name);
            shown.push_back(line.has_value());
            if (line) {
                ++depth;
            }
        }
    }
    if (!open.empty()) {
        Broken("<" + open.back() + "> is never closed");
    }
    return out;
}

std::optional<std::string> ControlForAction(std::string_view document, std::string_view callback) {
    for (const Tag& t : Tags(document)) {
        if (t.kind != Tag::Close && Get(t, "onAction") == callback) {
            return Get(t, "id");
        }
    }
    return std::nullopt;
}

} // namespace wordhost
