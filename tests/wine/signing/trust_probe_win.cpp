// Asks Windows itself whether it trusts a signed file, as Office does when
// only signed add-ins may load:
//   trust-probe verify FILE
//       WinVerifyTrust with WINTRUST_ACTION_GENERIC_VERIFY_V2 (no user
//       interface, no revocation check: the test CA publishes no list);
//       prints its result; exit 0 when trusted, 1 when not.
//   trust-probe add-root CERT.der
//       adds a certificate to the computer's trusted root store, as an
//       administrator or a Group Policy would; exit 1 when refused.
#include "common/unique_resource.h"

#include <windows.h>
// After windows.h, which they need.
#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

struct CertStoreTraits {
    static HCERTSTORE Invalid() noexcept { return nullptr; }
    static void Close(HCERTSTORE store) noexcept { ::CertCloseStore(store, 0); }
};
using UniqueCertStore = tavlin::UniqueResource<CertStoreTraits>;

// The verification state WinVerifyTrust keeps between its verify and close
// calls, released on every exit path.
class TrustCheck {
public:
    explicit TrustCheck(const wchar_t* path) noexcept {
        file_.cbStruct = sizeof file_;
        file_.pcwszFilePath = path;
        data_.cbStruct = sizeof data_;
        data_.dwUIChoice = WTD_UI_NONE;
        data_.fdwRevocationChecks = WTD_REVOKE_NONE;
        data_.dwUnionChoice = WTD_CHOICE_FILE;
        data_.pFile = &file_;
        data_.dwStateAction = WTD_STATEACTION_VERIFY;
    }
    TrustCheck(const TrustCheck&) = delete;
    TrustCheck& operator=(const TrustCheck&) = delete;
    ~TrustCheck() {
        data_.dwStateAction = WTD_STATEACTION_CLOSE;
        GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
        ::WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data_);
    }
    LONG Run() noexcept {
        GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
        return ::WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data_);
    }

private:
    WINTRUST_FILE_INFO file_{};
    WINTRUST_DATA data_{};
};

const char* Meaning(LONG result) {
    switch (static_cast<HRESULT>(result)) {
    case S_OK:
        return "trusted";
    case TRUST_E_NOSIGNATURE:
        return "TRUST_E_NOSIGNATURE: not signed";
    case TRUST_E_BAD_DIGEST:
        return "TRUST_E_BAD_DIGEST: the file was changed after signing";
    case CERT_E_UNTRUSTEDROOT:
        return "CERT_E_UNTRUSTEDROOT: the chain ends in a root that is not trusted";
    case CERT_E_CHAINING:
        return "CERT_E_CHAINING: no chain to a trusted root";
    case TRUST_E_EXPLICIT_DISTRUST:
        return "TRUST_E_EXPLICIT_DISTRUST";
    case TRUST_E_SUBJECT_NOT_TRUSTED:
        return "TRUST_E_SUBJECT_NOT_TRUSTED";
    case TRUST_E_PROVIDER_UNKNOWN:
        return "TRUST_E_PROVIDER_UNKNOWN";
    case CRYPT_E_SECURITY_SETTINGS:
        return "CRYPT_E_SECURITY_SETTINGS";
    default:
        return "not trusted";
    }
}

int Verify(const wchar_t* path) {
    TrustCheck check(path);
    const LONG result = check.Run();
    std::printf("WinVerifyTrust: 0x%08lX %s\n", static_cast<unsigned long>(result),
                Meaning(result));
    return result == 0 ? 0 : 1;
}

int AddRoot(const wchar_t* path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> der{std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>()};
    if (der.empty()) {
        std::printf("no certificate could be read from the file\n");
        return 1;
    }
    UniqueCertStore store(
        ::CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root"));
    if (!store) {
        std::printf("the computer's root store could not be opened: %lu\n", ::GetLastError());
        return 1;
    }
    if (!::CertAddEncodedCertificateToStore(store.get(), X509_ASN_ENCODING, der.data(),
                                            static_cast<DWORD>(der.size()),
                                            CERT_STORE_ADD_REPLACE_EXISTING, nullptr)) {
        std::printf("the certificate was refused: 0x%08lX\n", ::GetLastError());
        return 1;
    }
    std::printf("added to the computer's trusted roots\n");
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring_view(argv[1]) == L"verify") {
        return Verify(argv[2]);
    }
    if (argc == 3 && std::wstring_view(argv[1]) == L"add-root") {
        return AddRoot(argv[2]);
    }
    std::fprintf(stderr, "usage: trust-probe verify FILE | add-root CERT.der\n");
    return 2;
}
