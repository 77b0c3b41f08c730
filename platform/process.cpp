#include "platform/platform.h"

namespace inkwarden {

void EndProcess(UINT exitCode) {
    ExitProcess(exitCode);
}

} // namespace inkwarden
