#include "installer/package_rows.h"

#include "common/error.h"
#include "common/product.h"

namespace tavlin::package {
namespace {

// Automation's proxy for dual and oleautomation interfaces: what
// RegisterTypeLib names for _Connect, in both values.
constexpr std::string_view kAutomationProxy = "{00020424-0000-0000-C000-000000000046}";
// The library's flags as RegisterTypeLib writes them: the library declares
// none, and a library loaded from a file has LIBFLAG_FHASDISKIMAGE.
constexpr std::string_view kLibraryFlags = "8";
constexpr std::string_view kClasses = "Software\\Classes\\";

Row Text(std::string key, std::string name, std::string_view text) {
    return {std::move(key), std::move(name), std::string(text)};
}

// Formatted text gives '[' and ']' a meaning; every other character stands
// for itself as long as no brackets are around.
std::string FormattedLiteral(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '[') {
            out += "[\\[]";
        } else if (c == ']') {
            out += "[\\]]";
        } else {
            out += c;
        }
    }
    return out;
}

void AppendXmlEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
}

void AppendAttribute(std::string& out, std::string_view name, std::string_view value) {
    out += ' ';
    out += name;
    out += "=\"";
    AppendXmlEscaped(out, value);
    out += '"';
}

} // namespace

std::vector<Row> AddinRows(const AddinRowsInput& input) {
    const registration::Identity& id = input.identity;
    const registration::Table table = registration::AddinTable(id);
    std::vector<Row> rows;
    for (const registration::Key& key : table.keys) {
        // Classes go under the machine's Software\Classes, as a machine-wide
        // regsvr32 writes them; Word's add-in key goes to HKLM, where Word
        // looks for the add-ins of every user.
        const std::string path = FormattedLiteral(
            key.hive == registration::Hive::Classes ? std::string(kClasses) + key.path : key.path);
        for (const registration::Value& value : key.values) {
            Row row{path, FormattedLiteral(value.name), value.data};
            // The module's path is the one value meant to be resolved.
            if (auto* text = std::get_if<std::string>(&row.data); text && *text != id.modulePath) {
                *text = FormattedLiteral(*text);
            }
            rows.push_back(std::move(row));
        }
    }
    const std::string typeLib = std::string(kClasses) + table.typeLib.version;
    rows.push_back(Text(typeLib, "", input.libraryName));
    rows.push_back(Text(typeLib + "\\FLAGS", "", kLibraryFlags));
    rows.push_back(Text(typeLib + "\\HELPDIR", "", input.helpFolder));
    rows.push_back(Text(std::string(kClasses) + table.typeLib.platform, "", id.modulePath));
    const std::string iface = std::string(kClasses) + "Interface\\" + id.iid;
    rows.push_back(Text(iface, "", input.interfaceName));
    rows.push_back(Text(iface + "\\ProxyStubClsid", "", kAutomationProxy));
    rows.push_back(Text(iface + "\\ProxyStubClsid32", "", kAutomationProxy));
    rows.push_back(Text(iface + "\\TypeLib", "", id.libid));
    rows.push_back(Text(iface + "\\TypeLib", "Version", "1.0"));
    return rows;
}

std::vector<Row> MachineInstallRows(std::string_view folderProperty) {
    const std::string key(kMachineInstallKey);
    return {
        Text(key, std::string(kMachineInstallFolderValue), folderProperty),
        Text(key, std::string(kMachineInstallProductCodeValue), "[ProductCode]"),
    };
}

std::string WixInclude(const std::vector<Row>& rows) {
    // wixl takes a comment before the root for the root: it goes inside.
    std::string out =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<Include xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">\n"
        "  <!-- Made by tavlin-package-rows from the add-in's registration table. -->\n";
    for (const Row& row : rows) {
        out += "  <RegistryValue Root=\"HKLM\"";
        AppendAttribute(out, "Key", row.key);
        if (!row.name.empty()) {
            AppendAttribute(out, "Name", row.name);
        }
        if (const auto* text = std::get_if<std::string>(&row.data)) {
            // The Registry table reads a leading '#' as a number or binary.
            if (text->starts_with('#')) {
                throw Error(ErrorCode::InvalidPropertyValue,
                            "A registry text may not start with '#': " + *text);
            }
            AppendAttribute(out, "Type", "string");
            AppendAttribute(out, "Value", *text);
        } else {
            AppendAttribute(out, "Type", "integer");
            AppendAttribute(out, "Value", std::to_string(std::get<std::uint32_t>(row.data)));
        }
        out += "/>\n";
    }
    out += "</Include>\n";
    return out;
}

} // namespace tavlin::package
