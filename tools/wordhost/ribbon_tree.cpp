#include "ribbon_tree.h"

#include <stdexcept>
#include <vector>

namespace tavlin::wordhost {
namespace {

struct Tag {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    bool closing = false;
    bool selfClosing = false;
    std::string Attr(std::string_view key) const {
        for (const auto& [k, v] : attributes) {
            if (k == key) {
                return v;
            }
        }
        return {};
    }
};

std::vector<Tag> Tokenize(std::string_view text) {
    std::vector<Tag> tags;
    std::size_t i = 0;
    const auto blanks = [&] {
        while (i < text.size() &&
               (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n')) {
            ++i;
        }
    };
    const auto name = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '>' && text[i] != '/' &&
               text[i] != '=') {
            ++i;
        }
        return std::string(text.substr(start, i - start));
    };
    while (true) {
        blanks();
        if (i >= text.size()) {
            break;
        }
        if (text[i] != '<') {
            throw std::runtime_error("text outside the elements");
        }
        ++i;
        Tag tag;
        if (i < text.size() && text[i] == '/') {
            tag.closing = true;
            ++i;
        }
        tag.name = name();
        for (;;) {
            blanks();
            if (i >= text.size()) {
                throw std::runtime_error("unterminated element " + tag.name);
            }
            if (text[i] == '>') {
                ++i;
                break;
            }
            if (text[i] == '/' && i + 1 < text.size() && text[i + 1] == '>') {
                tag.selfClosing = true;
                i += 2;
                break;
            }
            std::string key = name();
            blanks();
            if (i >= text.size() || text[i] != '=') {
                throw std::runtime_error("attribute without a value in " + tag.name);
            }
            ++i;
            blanks();
            if (i >= text.size() || text[i] != '"') {
                throw std::runtime_error("unquoted attribute in " + tag.name);
            }
            const std::size_t end = text.find('"', i + 1);
            if (end == std::string_view::npos) {
                throw std::runtime_error("unterminated attribute in " + tag.name);
            }
            tag.attributes.emplace_back(std::move(key),
                                        std::string(text.substr(i + 1, end - i - 1)));
            i = end + 1;
        }
        tags.push_back(std::move(tag));
    }
    return tags;
}

std::string Shown(const Tag& t) {
    const std::string label = t.Attr("label");
    if (t.name == "control" || t.name == "comboBox") {
        const std::string id = t.Attr("idMso");
        if (t.Attr("showLabel") == "false" || label.empty()) {
            const std::string tip = t.Attr("screentip");
            return "[" + id + "]" + (tip.empty() ? "" : " \"" + tip + "\"");
        }
        return label + "  [" + id + "]";
    }
    if (t.name == "button") {
        if (t.Attr("enabled") == "false") {
            return "(spacer)";
        }
        const std::string action = t.Attr("onAction");
        return label + (action.empty() ? "" : "  -> " + action);
    }
    if (t.name == "menu") {
        if (!label.empty()) {
            return label + " >";
        }
        return "[" + t.Attr("imageMso") + "] \"" + t.Attr("screentip") + "\" >";
    }
    if (t.name == "menuSeparator") {
        return "----";
    }
    if (t.name == "box") {
        return "row " + t.Attr("id");
    }
    if (t.name == "buttonGroup") {
        return "group";
    }
    if (t.name == "tab") {
        const std::string id = t.Attr("idMso");
        if (!id.empty()) {
            return "tab " + id + (t.Attr("visible") == "false" ? " (hidden)" : "");
        }
        const std::string before = t.Attr("insertBeforeMso");
        return "tab \"" + label + "\"" + (before.empty() ? "" : " (before " + before + ")");
    }
    if (t.name == "group") {
        return "group \"" + label + "\"";
    }
    if (t.name == "ribbon") {
        return t.Attr("startFromScratch") == "true" ? "ribbon (from scratch)" : "ribbon";
    }
    return t.name;
}

} // namespace

std::string RibbonTree(std::string_view document) {
    std::string out;
    int depth = 0;
    std::vector<std::pair<std::string, bool>> open; // name, indented
    for (const Tag& t : Tokenize(document)) {
        if (t.closing) {
            if (open.empty() || open.back().first != t.name) {
                throw std::runtime_error("unbalanced </" + t.name + ">");
            }
            depth -= open.back().second ? 1 : 0;
            open.pop_back();
            continue;
        }
        // The frame (customUI, tabs) carries nothing a user sees.
        const bool shown = t.name != "customUI" && t.name != "tabs";
        if (shown) {
            out.append(static_cast<std::size_t>(depth) * 2, ' ');
            out += Shown(t);
            out += '\n';
        }
        if (!t.selfClosing) {
            open.emplace_back(t.name, shown);
            depth += shown ? 1 : 0;
        }
    }
    if (!open.empty()) {
        throw std::runtime_error("document not closed");
    }
    return out;
}

} // namespace tavlin::wordhost
