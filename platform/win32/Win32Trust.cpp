#include "platform/win32/Win32Trust.h"

#include <windows.h>

#include <softpub.h>
#include <wintrust.h>

#include <vector>

namespace velmora::platform::win32 {

namespace {

using WinVerifyTrustFn = LONG(WINAPI*)(HWND, GUID*, LPVOID);

WinVerifyTrustFn verifier() {
    static HMODULE library = LoadLibraryA("wintrust.dll");
    return library ? reinterpret_cast<WinVerifyTrustFn>(
                         reinterpret_cast<void*>(GetProcAddress(library, "WinVerifyTrust")))
                   : nullptr;
}

} // namespace

TrustVerdict Win32Trust::verifyFile(const std::string& path) {
    const WinVerifyTrustFn verify = verifier();
    if (!verify)
        return TrustVerdict::Rejected; // no trust service: nothing can be vouched for
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return TrustVerdict::Rejected;
    std::vector<wchar_t> widePath(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath.data(), length);

    WINTRUST_FILE_INFO file{};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = widePath.data();
    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG result = verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);

    if (result == ERROR_SUCCESS)
        return TrustVerdict::Trusted;
    if (static_cast<DWORD>(result) == static_cast<DWORD>(TRUST_E_NOSIGNATURE) ||
        static_cast<DWORD>(result) == static_cast<DWORD>(TRUST_E_SUBJECT_FORM_UNKNOWN))
        return TrustVerdict::Unsigned;
    return TrustVerdict::Rejected;
}

} // namespace velmora::platform::win32
