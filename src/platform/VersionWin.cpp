#include "platform/Version.h"

#include "platform/VersionNumber.h"

#include <vector>
#include <windows.h>

namespace moravel::platform {

VersionParts versionParts() {
    // The file version of the running program's own version resource, as Windows shows it in the
    // file's properties; the version it was built as where it has none (a test program).
    wchar_t path[MAX_PATH + 1] = {};
    if (GetModuleFileNameW(nullptr, path, MAX_PATH) > 0) {
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeW(path, &handle);
        std::vector<char> data(size);
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (size > 0 && GetFileVersionInfoW(path, 0, size, data.data()) &&
            VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) && info &&
            length >= sizeof(VS_FIXEDFILEINFO))
            return {static_cast<int>(HIWORD(info->dwFileVersionMS)),
                    static_cast<int>(LOWORD(info->dwFileVersionMS)),
                    static_cast<int>(HIWORD(info->dwFileVersionLS)),
                    static_cast<int>(LOWORD(info->dwFileVersionLS))};
    }
    return {MORAVEL_VERSION_MAJOR, MORAVEL_VERSION_MINOR, MORAVEL_VERSION_PATCH, MORAVEL_VERSION_TWEAK};
}

} // namespace moravel::platform
