// Feeds arbitrary bytes to the profile reader as a profile file, a default
// profile and a light configuration, then runs every getter and setter of
// every document class and saves. Nothing may throw, crash or leak.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/settings_file.h"
#include "profile/headset_profile.h"
#include "profile/json_file.h"
#include "profile/keyboard_profile.h"
#include "profile/mouse_profile.h"

namespace {

std::string ScratchPath(const char* name) {
  static const std::string folder = [] {
    std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    static std::string made = base + "/tarn-fuzz-profile-" + std::to_string(getpid()) + "/";
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(made, ignored);
    });
    return made;
  }();
  return folder + name;
}

void Exercise(tarn::CBasicProfiledata& doc, const std::string& text) {
  const std::string profile = ScratchPath("p.Json");
  tarn::WriteFileAtomically(profile, text);
  doc.SetProfilePath(profile);
  doc.SetDefaultProfilePath(ScratchPath("default.Json"));
  doc.Load();
  doc.LoadOther(profile);
  doc.LoadLightConfig(ScratchPath("light.config"));
  tarn::LightState light = doc.GetLightInfo();
  doc.GetLightEffects();
  doc.SetLightInfo(light);
  doc.SetAudioLightInfo(doc.GetAudioLightInfo());
  doc.GetLightList();
  tarn::KeyList keys = doc.GetKeyList();
  doc.SetKeyList(keys);
  doc.SetOtherKeyList(doc.GetOtherKeyList());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  tarn::WriteFileAtomically(ScratchPath("default.Json"), text);
  tarn::WriteFileAtomically(ScratchPath("light.config"), text);

  tarn::CKeyboardProfiledata keyboard;
  Exercise(keyboard, text);
  tarn::StageWords w = keyboard.GetKeyboardStages();
  keyboard.SetKeyboardStages(w[0], w[1], w[2]);
  int group = keyboard.GetCustomLightGroup();
  keyboard.SetCustomLightGroup(group);
  keyboard.SetCustomLightColors(keyboard.GetCustomLightColors(group, 8), group);
  keyboard.GetCustomLightColors(size % 7, static_cast<int>(size % 200));
  keyboard.Save();

  tarn::CMouseProfiledata mouse;
  Exercise(mouse, text);
  mouse.SetDPIStages(mouse.GetDPIStages());
  mouse.SetActiveDPIStage(mouse.GetActiveDPIStage());
  w = mouse.GetMouseStages();
  mouse.SetMouseStages(w[0], w[1], w[2]);
  mouse.GetCorrectInfo();
  mouse.Save();

  tarn::CRo6533Profiledata headset;
  Exercise(headset, text);
  headset.SetAudioStages(headset.GetAudioStages());
  for (int preset = 0; preset <= 14; ++preset) headset.SetEQValues(preset, headset.GetEQValues(preset));
  std::vector<std::string> names = headset.GetCustomEQNames();
  headset.SetCustomEQNames(names);
  for (int n = 0; n < 3; ++n) headset.SetCustomEQValues(n, headset.GetCustomEQValues(n));
  for (const std::string& name : names) tarn::WideToUtf8(tarn::Utf8ToWide(name));
  headset.SaveOtherTo(ScratchPath("other.Json"));
  headset.Save();
  return 0;
}
