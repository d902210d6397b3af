#include "app/desktop_settings.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdlib>
#include <unistd.h>

#include "platform/paths.h"
#include "ui/ui_string.h"

namespace tarn {

const std::vector<DesktopCommand>& DesktopSettingsCommands(int page) {
  static const std::vector<DesktopCommand> keyboard = {
      {"gnome-control-center", {"keyboard"}},
      {"systemsettings", {"kcm_keyboard"}},
      {"kcmshell6", {"kcm_keyboard"}},
      {"kcmshell5", {"kcm_keyboard"}},
      {"xfce4-keyboard-settings", {}},
      {"cinnamon-settings", {"keyboard"}},
      {"mate-keyboard-properties", {}},
      {"lxqt-config-input", {}},
  };
  static const std::vector<DesktopCommand> mouse = {
      {"gnome-control-center", {"mouse"}},
      {"systemsettings", {"kcm_mouse"}},
      {"kcmshell6", {"kcm_mouse"}},
      {"kcmshell5", {"kcm_mouse"}},
      {"xfce4-mouse-settings", {}},
      {"cinnamon-settings", {"mouse"}},
      {"mate-mouse-properties", {}},
      {"lxqt-config-input", {}},
  };
  static const std::vector<DesktopCommand> none;
  if (page == 0) return keyboard;
  if (page == 1) return mouse;
  return none;
}

bool FindDesktopSettingsCommand(int page, const std::string& searchPath, DesktopCommand& found) {
  std::vector<std::string> folders = SplitList(searchPath, ':');
  for (const DesktopCommand& command : DesktopSettingsCommands(page)) {
    for (const std::string& folder : folders) {
      if (folder.empty()) continue;
      std::string file = JoinPath(folder, command.program);
      if (access(file.c_str(), X_OK) == 0) {
        found = command;
        found.program = file;
        return true;
      }
    }
  }
  return false;
}

bool OpenDesktopSettings(int page) {
  const char* path = std::getenv("PATH");
  DesktopCommand command;
  if (!FindDesktopSettingsCommand(page, path != nullptr ? path : "", command)) return false;
  QStringList arguments;
  for (const std::string& argument : command.arguments) arguments << QString::fromStdString(argument);
  return QProcess::startDetached(QString::fromStdString(command.program), arguments);
}

}  // namespace tarn
