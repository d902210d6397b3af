#pragma once
#include <string>

namespace tarn {

// Whether the window can be shown: the Qt platform chosen needs no display,
// or the display it needs can be opened. reason says why not. With keepOpen
// the probe's connection stays until ReleaseDisplayProbe.
bool DisplayAvailable(std::string& reason, bool keepOpen = false);
void ReleaseDisplayProbe();

}  // namespace tarn
