#include "addin/com/registration.h"

#include "common/product.h"

namespace tavlin::registration {
namespace {

// Takes back the class side of one scope; the first real failure wins.
Status RemoveClasses(Backend& backend, const Table& table, Scope scope) {
    Status result = kOk;
    for (const Tree& tree : table.removals) {
        if (tree.hive != Hive::Classes) {
            continue;
        }
        const Status s = backend.DeleteTree(scope, tree);
        if (s != kOk && s != kNotFound && result == kOk) {
            result = s;
        }
    }
    return result;
}

Status RemoveUserKeys(Backend& backend, const Table& table) {
    Status result = kOk;
    for (const Tree& tree : table.removals) {
        if (tree.hive != Hive::User) {
            continue;
        }
        const Status s = backend.DeleteTree(Scope::PerUser, tree);
        if (s != kOk && s != kNotFound && result == kOk) {
            result = s;
        }
    }
    return result;
}

Status WriteClasses(Backend& backend, const Table& table, Scope scope) {
    for (const Key& key : table.keys) {
        if (key.hive != Hive::Classes) {
            continue;
        }
        if (const Status s = backend.WriteKey(scope, key); s != kOk) {
            return s;
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
    // The type library's registration writes TypeLib\{libid} and, for the
    // dual interface, Interface\{iid}; removing those trees undoes it on
    // every system, where UnRegisterTypeLib's answer for a library that is
    // not registered differs between Windows and Wine.
    t.removals = {
        {Hive::Classes, clsidKey},
        {Hive::Classes, progId},
        {Hive::Classes, "TypeLib\\" + id.libid},
        {Hive::Classes, "Interface\\" + id.iid},
        {Hive::User, std::string(kWordAddinKey)},
    };
    return t;
}

Outcome Register(Backend& backend, const Table& table) {
    // Writing HKLM needs administrator rights on Vista and later, and the
    // control program runs regsvr32 as a standard user: without the
    // per-user fallback Word could never find the class.
    Scope scope = Scope::Machine;
    Status s = WriteClasses(backend, table, scope);
    if (s != kOk) {
        (void)RemoveClasses(backend, table, scope);
        if (s != kAccessDenied) {
            return {s, scope};
        }
        scope = Scope::PerUser;
        s = WriteClasses(backend, table, scope);
        if (s != kOk) {
            (void)RemoveClasses(backend, table, scope);
            return {s, scope};
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
        s = backend.WriteKey(scope, key);
        if (s != kOk) {
            (void)RemoveUserKeys(backend, table);
            (void)RemoveClasses(backend, table, scope);
            return {s, scope};
        }
    }
    return {kOk, scope};
}

Status Unregister(Backend& backend, const Table& table) {
    Status result = RemoveClasses(backend, table, Scope::Machine);
    const Status user = RemoveClasses(backend, table, Scope::PerUser);
    const Status addin = RemoveUserKeys(backend, table);
    if (result == kOk) {
        result = user;
    }
    if (result == kOk) {
        result = addin;
    }
    return result;
}

} // namespace tavlin::registration
