#pragma once
// "windowdeviceset_" N opens the desktop's own keyboard (0) or mouse (1)
// settings: the first known command whose program is on PATH.
#include <string>
#include <vector>

namespace tarn {

struct DesktopCommand {
  std::string program;
  std::vector<std::string> arguments;
};

// The known commands for settings page 0 (keyboard) or 1 (mouse); empty for
// another number.
const std::vector<DesktopCommand>& DesktopSettingsCommands(int page);
// The first command whose program is found on searchPath ("a:b:c"); false
// when none is.
bool FindDesktopSettingsCommand(int page, const std::string& searchPath, DesktopCommand& found);
// Starts it detached; false when there is none or it did not start.
bool OpenDesktopSettings(int page);

}  // namespace tarn
