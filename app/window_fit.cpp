#include "app/window_fit.h"

namespace tarn {

int FitDpiForMonitor(int width, int height) {
  return width > 1500 && height > 960 ? kLargeMonitorDpi : kSmallMonitorDpi;
}

}  // namespace tarn
