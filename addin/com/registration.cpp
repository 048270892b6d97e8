#include "addin/com/registration.h"

#include "common/product.h"

#include <algorithm>
#include <initializer_list>

namespace tavlin::registration {
namespace {

// Keeps the first real failure; an absent key is none.
void KeepFirstFailure(Status& result, Status status) {
    if (status != kOk && status != kNotFound && result == kOk) {
        result = status;
    }
}

// Registry key names compare without regard to case.
bool SameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        return lower(x) == lower(y);
    });
}

// Removes the key when nothing but the named companions lies below it.
// kOk also when the key is absent; a key that stays stops the caller.
Status RemoveIfLeftOver(Backend& backend, Scope scope, const std::string& path,
                        std::initializer_list<std::string_view> companions, bool& stays) {
    std::vector<std::string> names;
    const Status listed = backend.SubKeys(scope, path, names);
    if (listed == kNotFound) {
        return kOk;
    }
    if (listed != kOk) {
        stays = true;
        return listed;
    }
    for (const std::string& name : names) {
        if (std::ranges::none_of(companions,
                                 [&](std::string_view c) { return SameName(name, c); })) {
            stays = true;
            return kOk;
        }
    }
    return backend.DeleteTree(scope, View::Own, {Hive::Classes, path, Reach::Shared});
}

// The other bitness registers its platform's subkey beside ours under the
// same library key: only what is left over once ours is gone may go.
Status RemoveTypeLibrary(Backend& backend, const TypeLibraryKeys& keys, Scope scope) {
    Status result = kOk;
    KeepFirstFailure(result, backend.DeleteTree(scope, View::Own,
                                                {Hive::Classes, keys.platform, Reach::Shared}));
    bool stays = false;
    KeepFirstFailure(result, RemoveIfLeftOver(backend, scope, keys.locale, {}, stays));
    if (!stays) {
        // Written by every registration of the library, whatever its platform.
        KeepFirstFailure(
            result, RemoveIfLeftOver(backend, scope, keys.version, {"FLAGS", "HELPDIR"}, stays));
    }
    if (!stays) {
        KeepFirstFailure(result, RemoveIfLeftOver(backend, scope, keys.library, {}, stays));
    }
    return result;
}

// Whether the other bitness still registers the class, in either scope:
// then the shared keys are still its, too.
bool OtherViewRegisters(Backend& backend, const Table& table) {
    return backend.Exists(Scope::Machine, View::Other, table.classServer) ||
           backend.Exists(Scope::PerUser, View::Other, table.classServer);
}

// Takes back the class side of one scope: this view's keys always, the
// shared ones and the other view's copies only when no view needs them.
// This view's keys go first, so the question is asked of what remains.
Status RemoveClasses(Backend& backend, const Table& table, Scope scope) {
    Status result = kOk;
    for (const Tree& tree : table.removals) {
        if (tree.hive == Hive::Classes && tree.reach != Reach::Shared) {
            KeepFirstFailure(result, backend.DeleteTree(scope, View::Own, tree));
        }
    }
    if (table.typeLibrary) {
        KeepFirstFailure(result, RemoveTypeLibrary(backend, table.typeLib, scope));
    }
    if (OtherViewRegisters(backend, table)) {
        return result;
    }
    for (const Tree& tree : table.removals) {
        if (tree.hive != Hive::Classes) {
            continue;
        }
        if (tree.reach == Reach::Shared) {
            KeepFirstFailure(result, backend.DeleteTree(scope, View::Own, tree));
        } else if (tree.reach == Reach::BothViews) {
            KeepFirstFailure(result, backend.DeleteTree(scope, View::Other, tree));
        }
    }
    return result;
}

// Word's add-in key is shared by both bitnesses of Word.
Status RemoveUserKeys(Backend& backend, const Table& table) {
    Status result = kOk;
    if (OtherViewRegisters(backend, table)) {
        return result;
    }
    for (const Tree& tree : table.removals) {
        if (tree.hive == Hive::User) {
            KeepFirstFailure(result, backend.DeleteTree(Scope::PerUser, View::Own, tree));
        }
    }
    return result;
}

Status WriteClasses(Backend& backend, const Table& table, Scope scope) {
    for (const Key& key : table.keys) {
        if (key.hive != Hive::Classes) {
            continue;
        }
        if (const Status written = backend.WriteKey(scope, key); written != kOk) {
            return written;
        }
    }
    return table.typeLibrary ? backend.RegisterTypeLibrary(scope) : kOk;
}

} // namespace

Table AddinTable(const Identity& id) {
    const std::string progId(kProgId);
    const std::string clsidKey = "CLSID\\" + id.clsid;
    Table t;
    t.keys = {
        {Hive::Classes, clsidKey, {{"", progId}}},
        {Hive::Classes,
         clsidKey + "\\InprocServer32",
         {{"", id.modulePath}, {"ThreadingModel", std::string("Apartment")}}},
        {Hive::Classes, clsidKey + "\\ProgID", {{"", progId}}},
        {Hive::Classes, clsidKey + "\\TypeLib", {{"", id.libid}}},
        {Hive::Classes, clsidKey + "\\VERSION", {{"", std::string("1.0")}}},
        {Hive::Classes, progId, {{"", progId}}},
        {Hive::Classes, progId + "\\CLSID", {{"", id.clsid}}},
        {Hive::User,
         std::string(kWordAddinKey),
         {{"FriendlyName", std::string(kFriendlyName)},
          {"Description", std::string(kDescription)},
          {"LoadBehavior", kLoadAtStartup}}},
    };
    t.typeLibrary = true;
    // The library's version 1.0 and locale 0, as the system writes them.
    t.typeLib.library = "TypeLib\\" + id.libid;
    t.typeLib.version = t.typeLib.library + "\\1.0";
    t.typeLib.locale = t.typeLib.version + "\\0";
    t.typeLib.platform =
        t.typeLib.locale + (id.platform == Platform::Win64 ? "\\win64" : "\\win32");
    // The type library's registration also writes Interface\{iid} for the
    // dual interface, into both views. Removing the keys ourselves undoes it
    // on every system, where UnRegisterTypeLib's answer for a library that
    // is not registered differs between Windows and Wine, and where it would
    // take the other view's interface along.
    t.removals = {
        {Hive::Classes, clsidKey, Reach::OwnView},
        {Hive::Classes, "Interface\\" + id.iid, Reach::BothViews},
        {Hive::Classes, progId, Reach::Shared},
        {Hive::User, std::string(kWordAddinKey), Reach::Shared},
    };
    t.classServer = clsidKey + "\\InprocServer32";
    return t;
}

std::string TypeLibraryHelpFolder(std::string_view modulePath, Platform platform) {
    std::string_view folder = modulePath.substr(0, modulePath.find_last_of("\\/") + 1);
    if (platform == Platform::Win64 && folder.size() > 1) {
        const std::string_view inner = folder.substr(0, folder.size() - 1);
        const std::size_t cut = inner.find_last_of("\\/");
        if (cut != std::string_view::npos && SameName(inner.substr(cut + 1), "x64")) {
            folder = folder.substr(0, cut + 1);
        }
    }
    return std::string(folder);
}

Outcome Register(Backend& backend, const Table& table) {
    // Writing HKLM needs administrator rights on Vista and later, and the
    // control program runs regsvr32 as a standard user: without the
    // per-user fallback Word could never find the class.
    Scope scope = Scope::Machine;
    Status status = WriteClasses(backend, table, scope);
    if (status != kOk) {
        (void)RemoveClasses(backend, table, scope);
        if (status != kAccessDenied) {
            return {status, scope};
        }
        scope = Scope::PerUser;
        status = WriteClasses(backend, table, scope);
        if (status != kOk) {
            (void)RemoveClasses(backend, table, scope);
            return {status, scope};
        }
    } else {
        // Windows merges the per-user classes over the machine's, so an
        // older per-user registration would shadow this one.
        (void)RemoveClasses(backend, table, Scope::PerUser);
    }
    for (const Key& key : table.keys) {
        if (key.hive != Hive::User) {
            continue;
        }
        status = backend.WriteKey(scope, key);
        if (status != kOk) {
            (void)RemoveUserKeys(backend, table);
            (void)RemoveClasses(backend, table, scope);
            return {status, scope};
        }
    }
    return {kOk, scope};
}

Status Unregister(Backend& backend, const Table& table) {
    Status result = RemoveClasses(backend, table, Scope::Machine);
    KeepFirstFailure(result, RemoveClasses(backend, table, Scope::PerUser));
    KeepFirstFailure(result, RemoveUserKeys(backend, table));
    return result;
}

} // namespace tavlin::registration
