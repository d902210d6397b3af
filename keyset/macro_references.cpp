#include "keyset/macro_references.h"

#include <algorithm>

namespace tarn {

KeyFunction FunctionOf(const KeyAssignment& a) { return KeyFunction{a.type, a.param1, a.param2}; }

void SetFunction(KeyAssignment& a, KeyFunction f) {
  a.type = f.type;
  a.param1 = f.param1;
  a.param2 = f.param2;
}

namespace {
bool RunsMacro(const KeyEntry& key) { return IsMacroFunction(FunctionOf(key.current)); }

void ResetToDefault(KeyEntry& key) { key.current = key.defaultAssignment; }
}  // namespace

bool KeysUseMacro(const std::vector<KeyEntry>& keys, size_t number) {
  return std::any_of(keys.begin(), keys.end(),
                     [&](const KeyEntry& k) { return RunsMacro(k) && k.current.param1 == number; });
}

bool RepairKeysForDeletedMacro(std::vector<KeyEntry>& keys, size_t deleted) {
  bool changed = false;
  for (KeyEntry& key : keys) {
    if (!RunsMacro(key)) continue;
    if (key.current.param1 == deleted) {
      ResetToDefault(key);
      changed = true;
    } else if (key.current.param1 > deleted) {
      --key.current.param1;
      changed = true;
    }
  }
  return changed;
}

bool ResetKeysForMissingMacros(std::vector<KeyEntry>& keys, size_t macroCount) {
  bool changed = false;
  for (KeyEntry& key : keys) {
    if (RunsMacro(key) && !IsListedMacro(key.current.param1, macroCount)) {
      ResetToDefault(key);
      changed = true;
    }
  }
  return changed;
}

bool RenumberKeysForMovedMacros(std::vector<KeyEntry>& keys, const std::vector<size_t>& newNumberOf) {
  bool changed = false;
  for (KeyEntry& key : keys) {
    if (!RunsMacro(key)) continue;
    const size_t old = key.current.param1;
    if (old >= newNumberOf.size() || newNumberOf[old] > 0xFF) {
      ResetToDefault(key);
      changed = true;
    } else if (newNumberOf[old] != old) {
      key.current.param1 = static_cast<uint8_t>(newNumberOf[old]);
      changed = true;
    }
  }
  return changed;
}

std::vector<size_t> CollectUsedMacros(const std::vector<KeyEntry>& keys, size_t macroCount) {
  std::vector<size_t> used;
  for (const KeyEntry& key : keys) {
    if (!RunsMacro(key) || !IsListedMacro(key.current.param1, macroCount)) continue;
    if (std::find(used.begin(), used.end(), key.current.param1) == used.end()) used.push_back(key.current.param1);
  }
  return used;
}

KeyFunction DeviceFunctionOf(const KeyEntry& key, const std::vector<size_t>& used, size_t macroCount) {
  KeyFunction f = FunctionOf(key.current);
  if (!IsMacroFunction(f)) return f;
  const auto place = std::find(used.begin(), used.end(), f.param1);
  if (!IsListedMacro(f.param1, macroCount) || place == used.end()) return FunctionOf(key.defaultAssignment);
  f.param1 = static_cast<uint8_t>(place - used.begin());
  return f;
}

}  // namespace tarn
