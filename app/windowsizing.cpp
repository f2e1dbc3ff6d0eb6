#include "windowsizing.h"

#include <algorithm>

namespace {
constexpr int kDefaultHeight = 720;
constexpr int kFrameAllowance = 35;  // title bar and frame above the window
constexpr int kReservedHeight = 272; // menus, tool bars and margins
constexpr int kInstrumentWidth = 240;
constexpr int kInstrumentHeight = 320;
} // namespace

WindowSizing ComputeWindowSizing(const QList<int>& availableHeights)
{
    WindowSizing s;
    s.height = kDefaultHeight;
    for (int h : availableHeights) {
        if (s.height + kFrameAllowance > h) {
            s.scale = float(h - kReservedHeight) / float(kInstrumentWidth);
            s.height = int(170.0f + kInstrumentWidth * s.scale + 70.0f);
        }
    }
    s.width = int(s.scale * kInstrumentHeight + 190.0f);
    return s;
}

int ToolBoxX(float scale)
{
    // Right of the page canvas (which ends at 140 + 240 x scale + 2) also
    // at the small zooms of low screens.
    return std::max(int(scale * kInstrumentHeight + 60.0f), int(kInstrumentWidth * scale + 2.0f) + 150);
}

int ToolBoxY(float scale, int k)
{
    return int(70.0f + float(k) * (scale / 2.0f));
}
