#pragma once
// The layout scale the main window takes on a monitor of the given size in
// device-independent pixels: 144 on a large monitor, 96 otherwise.
namespace tarn {

constexpr int kLargeMonitorDpi = 144;
constexpr int kSmallMonitorDpi = 96;

int FitDpiForMonitor(int width, int height);

}  // namespace tarn
