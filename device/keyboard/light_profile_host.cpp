#include "device/keyboard/light_profile_host.h"

#include <algorithm>

namespace tarn::keyboard {

namespace {
// Groups and counts are small; a value the profile's int cannot hold is cut.
int AsInt(unsigned v) { return static_cast<int>(std::min(v, 0x7FFFFFFFu)); }
}  // namespace

CProfileLightHost::CProfileLightHost(CKeyboardProfiledata& profile, Callbacks callbacks)
    : m_profile(profile), m_callbacks(std::move(callbacks)) {}

std::vector<LightColor> CProfileLightHost::GetCustomColours(unsigned group, unsigned count) {
  return m_profile.GetCustomLightColors(AsInt(group), AsInt(count));
}

void CProfileLightHost::StoreCustomColours(unsigned group, const std::vector<LightColor>& colours) {
  m_profile.SetCustomLightColors(colours, AsInt(group));
  m_profile.Save();
}

unsigned CProfileLightHost::GetProfileCustomGroup() {
  return static_cast<unsigned>(std::max(m_profile.GetCustomLightGroup(), 0));
}

void CProfileLightHost::StoreCustomGroup(unsigned group) {
  m_profile.SetCustomLightGroup(AsInt(group));
  m_profile.Save();
}

void CProfileLightHost::ShowCustomGroup(unsigned group) {
  if (m_callbacks.showGroup) m_callbacks.showGroup(group);
}

int CProfileLightHost::PanelCustomGroup() { return m_callbacks.panelGroup ? m_callbacks.panelGroup() : -1; }

void CProfileLightHost::SendCustomTable(const light::LedSnapshot& leds, bool scaled) {
  if (m_callbacks.sendTable) m_callbacks.sendTable(leds, scaled);
}

void ApplyProfileLighting(CKeyboardLightEngine& engine, CKeyboardProfiledata& profile) {
  const LightState state = profile.GetLightInfo();
  const AudioLightState audio = profile.GetAudioLightInfo();
  const std::vector<LightListEntry> list = profile.GetLightList();
  const std::vector<LightEffectStep> effects = profile.GetLightEffects();
  engine.ApplyProfile(state, audio, list, effects);
}

}  // namespace tarn::keyboard
