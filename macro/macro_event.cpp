#include "macro/macro_event.h"

#include <cmath>

#include "profile/json_file.h"

namespace tarn {

namespace {

// A whole number in [low, high] of an integer or integral real value.
bool WholeNumberIn(const Json::Value& v, int64_t low, int64_t high, int64_t& out) {
  switch (v.type()) {
    case Json::intValue:
      out = v.asInt64();
      break;
    case Json::uintValue:
      if (v.asUInt64() > static_cast<uint64_t>(high)) return false;
      out = static_cast<int64_t>(v.asUInt64());
      break;
    case Json::realValue: {
      const double d = v.asDouble();
      if (!std::isfinite(d) || d != std::floor(d) || d < static_cast<double>(low) || d > static_cast<double>(high)) {
        return false;
      }
      out = static_cast<int64_t>(d);
      break;
    }
    default:
      return false;
  }
  return out >= low && out <= high;
}

bool IsEventType(int64_t type) {
  switch (type) {
    case kMacroMouseButton:
    case kMacroMouseOther2:
    case kMacroMouseOther3:
    case kMacroMoveX:
    case kMacroMoveY:
    case kMacroModifier:
    case kMacroKey:
      return true;
    default:
      return false;
  }
}

}  // namespace

uint16_t ParseDelayText(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                             text[i] == '\v' || text[i] == '\f')) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + static_cast<uint32_t>(text[i] - '0');
    if (value > kMaxMacroDelay) value = kMaxMacroDelay + 1u;  // saturate: no overflow however long
  }
  if (negative) return 0;
  return value > kMaxMacroDelay ? kMaxMacroDelay : static_cast<uint16_t>(value);
}

uint16_t MacroEventDelay(const Json::Value& event) {
  const Json::Value& delay = JsonMember(event, "Delay");
  if (delay.isString()) return ParseDelayText(delay.asString());
  if (delay.isUInt64()) return delay.asUInt64() > kMaxMacroDelay ? kMaxMacroDelay : static_cast<uint16_t>(delay.asUInt64());
  if (delay.isInt64()) return 0;  // negative
  if (delay.isDouble()) {
    const double d = delay.asDouble();
    if (!std::isfinite(d) || d <= 0) return 0;
    return d >= kMaxMacroDelay ? kMaxMacroDelay : static_cast<uint16_t>(d);
  }
  return 0;
}

std::string DelayText(uint16_t delay) { return std::to_string(delay); }

bool IsPressEvent(const Json::Value& event) { return JsonString(event, "Action") == kActionDown; }

bool IsValidMacroEvent(const Json::Value& event) {
  if (!event.isObject()) return false;
  int64_t type = 0;
  int64_t button = 0;
  if (!WholeNumberIn(JsonMember(event, "Type"), 0, 255, type) || !IsEventType(type)) return false;
  if (!WholeNumberIn(JsonMember(event, "Button"), 0, 255, button)) return false;
  const Json::Value& action = JsonMember(event, "Action");
  if (!action.isNull() && !action.isString()) return false;
  const Json::Value& delay = JsonMember(event, "Delay");
  if (!delay.isNull() && !delay.isString() && !delay.isNumeric()) return false;
  return true;
}

void NormaliseEventDelay(Json::Value& event) {
  if (!event.isObject()) return;
  // A member name with a NUL in it would be written cut at the NUL and could
  // then stand in for "Delay" or "Type" when the file is read again.
  for (const std::string& name : event.getMemberNames()) {
    if (name.find('\0') != std::string::npos) event.removeMember(name.data(), name.data() + name.size(), nullptr);
  }
  event["Delay"] = DelayText(MacroEventDelay(event));
}

std::array<uint8_t, 4> EncodeMacroEvent(const Json::Value& event) {
  const uint16_t delay = MacroEventDelay(event);
  const uint8_t type = static_cast<uint8_t>(JsonAsInt64(JsonMember(event, "Type"), 0) & 0x7F);
  const uint8_t button = static_cast<uint8_t>(JsonAsInt64(JsonMember(event, "Button"), 0));
  return {static_cast<uint8_t>(delay & 0xFF), static_cast<uint8_t>(delay >> 8),
          static_cast<uint8_t>(IsPressEvent(event) ? type | 0x80 : type), button};
}

Json::Value MakeMacroEvent(int type, bool down, uint8_t button, uint16_t delay) {
  Json::Value event(Json::objectValue);
  event["Type"] = type;
  event["Action"] = down ? kActionDown : kActionUp;
  event["Button"] = button;
  event["Delay"] = DelayText(delay);
  return event;
}

}  // namespace tarn
