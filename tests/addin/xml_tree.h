// A small reader for the customUI text, so tests can look at the document
// as a tree (counts per menu, what follows what) rather than as a string.
// It accepts exactly the forms the writers produce, including the blanks in
// ` tag = "..."` and `</group >`, and fails the test on anything else.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavlin::test {

struct XmlNode {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<std::unique_ptr<XmlNode>> children;

    [[nodiscard]] std::string Attr(std::string_view key) const {
        for (const auto& [k, v] : attributes) {
            if (k == key) {
                return v;
            }
        }
        return {};
    }
    [[nodiscard]] bool Has(std::string_view key) const {
        for (const auto& [k, v] : attributes) {
            if (k == key) {
                return true;
            }
        }
        return false;
    }
    // Descendants (not this node) with the given element name.
    [[nodiscard]] int Count(std::string_view element) const {
        int n = 0;
        for (const auto& c : children) {
            n += (c->name == element ? 1 : 0) + c->Count(element);
        }
        return n;
    }
};

// Parses one document; returns the root, or nullptr after a test failure.
inline std::unique_ptr<XmlNode> ParseXml(std::string_view text) {
    std::vector<XmlNode*> open;
    std::unique_ptr<XmlNode> root;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ') {
            ++i;
        }
    };
    auto readName = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '>' && text[i] != '/' &&
               text[i] != '=') {
            ++i;
        }
        return std::string(text.substr(start, i - start));
    };
    while (i < text.size()) {
        if (text[i] != '<') {
            ADD_FAILURE() << "text outside tags at " << i;
            return nullptr;
        }
        ++i;
        if (i < text.size() && text[i] == '/') {
            ++i;
            const std::string name = readName();
            skipBlanks();
            if (i >= text.size() || text[i] != '>' || open.empty() || open.back()->name != name) {
                ADD_FAILURE() << "bad end tag </" << name << "> at " << i;
                return nullptr;
            }
            ++i;
            open.pop_back();
            continue;
        }
        auto node = std::make_unique<XmlNode>();
        node->name = readName();
        bool selfClosing = false;
        for (;;) {
            skipBlanks();
            if (i >= text.size()) {
                ADD_FAILURE() << "unterminated tag " << node->name;
                return nullptr;
            }
            if (text[i] == '>') {
                ++i;
                break;
            }
            if (text[i] == '/' && i + 1 < text.size() && text[i + 1] == '>') {
                i += 2;
                selfClosing = true;
                break;
            }
            std::string key = readName();
            skipBlanks();
            if (i + 1 >= text.size() || text[i] != '=') {
                ADD_FAILURE() << "attribute without value in " << node->name;
                return nullptr;
            }
            ++i;
            skipBlanks();
            if (text[i] != '"') {
                ADD_FAILURE() << "unquoted attribute in " << node->name;
                return nullptr;
            }
            const std::size_t end = text.find('"', i + 1);
            if (end == std::string_view::npos) {
                ADD_FAILURE() << "unterminated attribute in " << node->name;
                return nullptr;
            }
            node->attributes.emplace_back(std::move(key),
                                          std::string(text.substr(i + 1, end - i - 1)));
            i = end + 1;
        }
        XmlNode* raw = node.get();
        if (open.empty()) {
            if (root) {
                ADD_FAILURE() << "second root element";
                return nullptr;
            }
            root = std::move(node);
        } else {
            open.back()->children.push_back(std::move(node));
        }
        if (!selfClosing) {
            open.push_back(raw);
        }
    }
    if (!open.empty() || !root) {
        ADD_FAILURE() << "document not closed";
        return nullptr;
    }
    return root;
}

} // namespace tavlin::test
