// Where the main window's parts sit, in twips, for the units that make them.
#pragma once

#include "core/remark.h"
#include "ui/window.h"

namespace inkwarden {

inline constexpr int kWidth = 7575; // twips; borderless, so outer size = client size
inline constexpr int kHeight = 5895;

// Containers' origins in the window, in twips.
constexpr int kFraTopX = -240, kFraTopY = -120;
constexpr int kFrame1X = 120, kFrame1Y = 840;
constexpr int kPanelX = 120, kPanelY = 1800, kPanelW = 7335, kPanelH = 3975;

inline const wchar_t* const kTemplateNames[kTemplateCount] = {L"函数说明", L"过程说明", L"版权说明",
                                                              L"文件头标识"};

inline Twips InPanel(const Twips& r) {
    return {kPanelX + r.left, kPanelY + r.top, r.width, r.height};
}

} // namespace inkwarden
