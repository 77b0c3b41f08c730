#include "platform/platform.h"

#include <vector>

namespace inkwarden {

void EndProcess(UINT exitCode) {
    ExitProcess(exitCode);
}

DWORD ProcessIntegrityLevel(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return 0;
    DWORD level = 0;
    HANDLE token = nullptr;
    if (OpenProcessToken(process, TOKEN_QUERY, &token)) {
        DWORD bytes = 0;
        GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &bytes);
        std::vector<BYTE> buffer(bytes);
        if (bytes && GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), bytes, &bytes)) {
            const TOKEN_MANDATORY_LABEL* label =
                reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
            const UCHAR count = *GetSidSubAuthorityCount(label->Label.Sid);
            if (count > 0)
                level = *GetSidSubAuthority(label->Label.Sid, count - 1u);
        }
        CloseHandle(token);
    }
    CloseHandle(process);
    return level;
}

} // namespace inkwarden
