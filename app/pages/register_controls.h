#pragma once
namespace tarn {
// Registers "DeviceOption" and "MpDevicePower" (and the default device page
// classes) with the toolkit's control factory. Start-up calls it once.
void RegisterDevicePageControls();
}  // namespace tarn
