#pragma once
// Keyboards without hardware: "--virtual-keyboard=cable|receiver|both" puts
// the emulator's keyboard on a virtual bus that discovery lists beside the
// hidraw nodes; "--virtual-dir=PATH" also lists the device sockets other
// processes serve there (tarn-vkbd). Call before the main window is built.
#include <string>

namespace tarn {

// False when an option's value is not understood (the program should say so
// and exit); true otherwise, also when neither option is given.
bool SetUpVirtualDevices(int argc, char** argv);
// Unplugs and frees what SetUpVirtualDevices made (at shutdown; also at exit).
void TearDownVirtualDevices();
// What went wrong with the last call, for the message to the user.
const std::string& VirtualDevicesError();

}  // namespace tarn
