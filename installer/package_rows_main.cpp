// Writes one DLL's registry rows for the Windows Installer packages as a WiX
// include, from the registration table the DLL itself applies. Built for
// the build machine, run while the packages are made.
#include "common/error.h"
#include "installer/package_rows.h"

#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: tavlin-package-rows addin clsid={..} libid={..} iid={..} library=NAME\n"
    "           interface=NAME platform=win32|win64 file=FILE_ID folder=FOLDER_PROPERTY\n"
    "       tavlin-package-rows marker folder=FOLDER_PROPERTY\n"
    "\n"
    "Writes a WiX include with registry rows: addin, those of the add-in DLL whose\n"
    "File element has the Id FILE_ID, in the installation whose folder property\n"
    "is FOLDER_PROPERTY; marker, the key that marks a machine-wide installation.\n"
    "Exit status: 0 written, 1 the rows cannot be written, 2 usage.\n";

int Usage(const std::string& complaint) {
    std::fprintf(stderr, "tavlin-package-rows: %s\n%s", complaint.c_str(), kUsage);
    return 2;
}

bool IsGuid(std::string_view text) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') {
        return false;
    }
    for (std::size_t i = 1; i < 37; ++i) {
        const char c = text[i];
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) {
            return false;
        }
    }
    return true;
}

bool IsIdentifier(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '_' || c == '.')) {
            return false;
        }
    }
    return true;
}

} // namespace

int Write(const std::vector<tavlin::package::Row>& rows) {
    const std::string include = tavlin::package::WixInclude(rows);
    if (std::fwrite(include.data(), 1, include.size(), stdout) != include.size() ||
        std::fflush(stdout) != 0) {
        std::fputs("tavlin-package-rows: the rows could not be written\n", stderr);
        return 1;
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage("addin or marker?");
    }
    const std::string_view mode(argv[1]);
    std::map<std::string, std::string> args;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        const std::size_t equals = arg.find('=');
        if (equals == std::string_view::npos) {
            return Usage("not NAME=VALUE: " + std::string(arg));
        }
        args[std::string(arg.substr(0, equals))] = std::string(arg.substr(equals + 1));
    }
    if (!IsIdentifier(args["folder"])) {
        return Usage("folder is not an identifier: " + args["folder"]);
    }
    const std::string folder = "[" + args["folder"] + "]";
    try {
        if (mode == "marker") {
            return Write(tavlin::package::MachineInstallRows(folder));
        }
        if (mode != "addin") {
            return Usage("addin or marker, not " + std::string(mode));
        }
        for (const char* name : {"clsid", "libid", "iid", "library", "interface", "platform"}) {
            if (args[name].empty()) {
                return Usage(std::string("missing ") + name);
            }
        }
        // Windows Installer keeps GUIDs in upper case, and so does
        // StringFromGUID2, which the DLL writes them with.
        for (const char* name : {"clsid", "libid", "iid"}) {
            if (!IsGuid(args[name])) {
                return Usage(std::string(name) + " is not an upper-case {GUID}: " + args[name]);
            }
        }
        for (const char* name : {"file", "interface"}) {
            if (!IsIdentifier(args[name])) {
                return Usage(std::string(name) + " is not an identifier: " + args[name]);
            }
        }
        const std::string& platform = args["platform"];
        if (platform != "win32" && platform != "win64") {
            return Usage("platform is win32 or win64, not " + platform);
        }
        return Write(tavlin::package::AddinRows(
            {{args["clsid"], args["libid"], args["iid"], "[#" + args["file"] + "]",
              platform == "win64" ? tavlin::registration::Platform::Win64
                                  : tavlin::registration::Platform::Win32},
             folder,
             args["library"],
             args["interface"]}));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavlin-package-rows: %s\n", e.what());
        return 1;
    }
}
