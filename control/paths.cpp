#include "control/paths.h"

#include "common/convert.h"

#include <vector>

namespace tavlin::control {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasDrive(std::string_view path) {
    return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':';
}

bool IsUnc(std::string_view path) {
    return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

std::vector<std::string_view> Segments(std::string_view path) {
    std::vector<std::string_view> segments;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsSeparator(path[i])) {
            if (i > start) {
                segments.push_back(path.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return segments;
}

// One code point from UTF-8. A broken sequence's first byte becomes a lone
// surrogate of its own (U+DC80 to U+DCFF), which no valid text holds, so
// broken text equals only the same broken text.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return 0xDC00 + byte(i++);
    }
    if (i + static_cast<std::size_t>(extra) >= text.size()) {
        return 0xDC00 + byte(i++);
    }
    for (int k = 1; k <= extra; ++k) {
        const unsigned char c = byte(i + static_cast<std::size_t>(k));
        if ((c & 0xC0) != 0x80) {
            return 0xDC00 + byte(i++);
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

// Upper case of the letters Windows folds in file names, for the scripts a
// program folder is likely written in.
char32_t UpperCase(char32_t c) {
    if (c >= U'a' && c <= U'z') {
        return c - 0x20;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return c - 0x20;
    }
    if (c == 0xFF) {
        return 0x178;
    }
    // Latin Extended-A pairs its letters upper/lower, on even/odd code
    // points except in the two runs that start on odd ones.
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
        c != 0x17F) {
        const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool lower = oddPairs ? (c % 2 == 0) : (c % 2 == 1);
        return lower ? c - 1 : c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) {
        return c - 0x20;
    }
    if (c >= 0x430 && c <= 0x44F) {
        return c - 0x20;
    }
    if (c >= 0x450 && c <= 0x45F) {
        return c - 0x50;
    }
    return c;
}

std::u32string Folded(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        out += UpperCase(NextCodePoint(text, i));
    }
    return out;
}

} // namespace

std::string NormalizedPath(std::string_view path) {
    std::string root;
    std::string_view rest = path;
    std::size_t fixedSegments = 0; // a UNC path's server and share
    if (IsUnc(path)) {
        root = "\\\\";
        rest = path.substr(2);
        fixedSegments = 2;
    } else if (HasDrive(path)) {
        root = std::string(path.substr(0, 2));
        rest = path.substr(2);
        if (!rest.empty() && IsSeparator(rest.front())) {
            root += '\\';
        }
    } else if (!path.empty() && IsSeparator(path.front())) {
        root = "\\";
    }
    const bool rooted = !root.empty() && root.back() == '\\';

    std::vector<std::string_view> kept;
    for (const std::string_view segment : Segments(rest)) {
        if (segment == "." && kept.size() >= fixedSegments) {
            continue;
        }
        if (segment == ".." && kept.size() >= fixedSegments) {
            if (kept.size() > fixedSegments && kept.back() != "..") {
                kept.pop_back();
                continue;
            }
            if (rooted) {
                continue; // already at the root
            }
        }
        kept.push_back(segment);
    }
    std::string out = root;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i > 0) {
            out += '\\';
        }
        out += kept[i];
    }
    return out;
}

bool SamePath(std::string_view a, std::string_view b) {
    return Folded(NormalizedPath(a)) == Folded(NormalizedPath(b));
}

bool IsAbsolutePath(std::string_view path) {
    if (IsUnc(path)) {
        return Segments(path).size() >= 2;
    }
    return HasDrive(path) && path.size() >= 3 && IsSeparator(path[2]);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (out.empty() || !IsSeparator(out.back())) {
        out += '\\';
    }
    out += name;
    return out;
}

std::string FolderOf(std::string_view path) {
    const std::size_t last = path.find_last_of("\\/");
    if (last == std::string_view::npos) {
        return {};
    }
    if (last == 2 && HasDrive(path)) {
        return std::string(path.substr(0, 3));
    }
    return std::string(path.substr(0, last));
}

std::string ExpandEnvironmentText(std::string_view text, const EnvironmentLookup& lookup) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t open = text.find('%', i);
        if (open == std::string_view::npos) {
            out += text.substr(i);
            break;
        }
        out += text.substr(i, open - i);
        const std::size_t close = text.find('%', open + 1);
        if (close == std::string_view::npos) {
            out += text.substr(open);
            break;
        }
        const std::string_view name = text.substr(open + 1, close - open - 1);
        std::optional<std::string> value;
        if (!name.empty()) {
            value = lookup(name);
        }
        if (value) {
            out += *value;
            i = close + 1;
        } else {
            // The closing % may open the next name, as Windows reads it.
            out += text.substr(open, close - open);
            i = close;
        }
    }
    return out;
}

EnvironmentLookup AsSixtyFourBitProgram(EnvironmentLookup lookup) {
    return [lookup = std::move(lookup)](std::string_view name) -> std::optional<std::string> {
        static constexpr std::pair<std::string_view, std::string_view> kNativeNames[] = {
            {"ProgramFiles", "ProgramW6432"},
            {"CommonProgramFiles", "CommonProgramW6432"},
        };
        for (const auto& [name32, name64] : kNativeNames) {
            if (Folded(name) == Folded(name32)) {
                if (std::optional<std::string> folder = lookup(name64)) {
                    return folder;
                }
            }
        }
        return lookup(name);
    };
}

std::optional<std::string> WordProgramFromAppPath(const std::optional<std::string>& value,
                                                  const EnvironmentLookup& lookup) {
    if (!value) {
        return std::nullopt;
    }
    std::string_view text = TrimBlanks(*value);
    if (!text.empty() && text.front() == '"') {
        text.remove_prefix(1);
        text = text.substr(0, text.find('"'));
    }
    std::string path(TrimBlanks(ExpandEnvironmentText(text, lookup)));
    if (!IsAbsolutePath(path)) {
        return std::nullopt;
    }
    return path;
}

} // namespace tavlin::control
