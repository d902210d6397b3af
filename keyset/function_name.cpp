#include "keyset/function_name.h"

#include <algorithm>
#include <span>

#include "keyset/catalogue_tables.h"
#include "keyset/macro_references.h"

namespace tarn {

namespace {

FunctionName Id(const char* id) { return FunctionName{FunctionName::Kind::TextId, id}; }
FunctionName Empty() { return FunctionName{FunctionName::Kind::Empty, {}}; }

// The first row equal in the compared bytes, or Empty.
template <typename Match>
FunctionName FirstRow(std::span<const NamedFunctionRow> table, Match match) {
  const auto row = std::find_if(table.begin(), table.end(), match);
  return row == table.end() ? Empty() : Id(row->nameId);
}

FunctionName ByParams(std::span<const NamedFunctionRow> table, KeyFunction f) {
  return FirstRow(table, [&](const NamedFunctionRow& r) { return r.function.param1 == f.param1 && r.function.param2 == f.param2; });
}

FunctionName KeyboardKeyName(KeyFunction f, const TextLookup& lookup) {
  FunctionName name = Empty();
  // Only keyboard-key rows name a keyboard key: a media row with the same two
  // bytes means something else.
  const auto exact = std::find_if(kKeyboardKeyTable.begin(), kKeyboardKeyTable.end(), [&](const KeyboardKeyRow& r) {
    return r.function.type == kFnKeyboardKey && r.function.param1 == f.param1 && r.function.param2 == f.param2;
  });
  if (exact != kKeyboardKeyTable.end()) {
    name = Id(exact->nameId);
  } else if (f.param1 == 0 && f.param2 == 0) {
    name = Id(kNameOff);
  } else {
    // A modifier and a key that no single row names: join the texts of the
    // modifier row and the key row. A zero byte names nothing (it would match
    // every modifier row or every key row), and right Ctrl alone belongs to
    // the shortcuts below.
    std::string joined;
    for (const KeyboardKeyRow& row : kKeyboardKeyTable) {
      if (row.function.type != f.type) continue;
      const bool byModifier = f.param1 != 0 && f.param1 != kModRightCtrl && row.function.param1 == f.param1;
      const bool byKey = f.param2 != 0 && row.function.param2 == f.param2;
      if (!byModifier && !byKey) continue;
      if (!joined.empty()) joined += '+';
      joined += lookup ? lookup(row.nameId) : std::string(row.nameId);
    }
    if (!joined.empty()) name = FunctionName{FunctionName::Kind::Text, joined};
  }
  if (name.kind != FunctionName::Kind::Empty) {
    FunctionName shortcut = ByParams(kOfficeShortcutTable, f);
    if (shortcut.kind == FunctionName::Kind::TextId) name = shortcut;
  }
  return name;
}

}  // namespace

FunctionName NameOfFunction(KeyFunction f, const std::vector<std::string>& macroNames, const TextLookup& lookup) {
  switch (f.type) {
    case kFnNone:
    case kFnKeyboardKey:
      return KeyboardKeyName(f, lookup);
    case kFnMouseButton:
      return FirstRow(kMouseButtonTable, [&](const NamedFunctionRow& r) { return r.function.param1 == f.param1; });
    case kFnMouseMove:
      return Id((f.param2 & 0x80) ? kNameMoveRight : kNameMoveLeft);
    case kFnWheel:
      return Id((f.param2 & 0x80) ? kNameWheelDown : kNameWheelUp);
    case kFnDpiStep:
      return FirstRow(kDpiTable, [&](const NamedFunctionRow& r) { return r.function.param1 == f.param1; });
    case kFnFireKey:
      return Id(kNameFireKey);
    case kFnDpiShift:
      return FirstRow(kMouseFunctionTable, [&](const NamedFunctionRow& r) { return r.function.type == f.type; });
    case kFnShowWindow:
      return FirstRow(kMouseFunctionTable,
                      [&](const NamedFunctionRow& r) { return r.function.type == f.type && r.function.param2 == f.param2; });
    case kFnOfficeFunction:
      return ByParams(kOfficeFunctionTable, f);
    case kFnConsumer:
      return ByParams(kMediaTable, f);
    case kFnSystem:
      return ByParams(kSystemTable, f);
    case kFnMacro:
    case kFnMacroRepeat:
      // A macro number at or past the end of the list names no macro.
      if (!IsListedMacro(f.param1, macroNames.size())) return Empty();
      return FunctionName{FunctionName::Kind::Text, macroNames[f.param1]};
    case kFnRecoil:
      if (f.param1 >= kRecoilPatternNames.size()) return Empty();
      return Id(kRecoilPatternNames[f.param1]);
    case kFnKeyboardFunction:
    case kFnOnBoardMacro: {
      FunctionName name = FirstRow(kMouseFunctionTable, [&](const NamedFunctionRow& r) {
        return r.function.type == f.type && r.function.param1 == f.param1;
      });
      if (name.kind != FunctionName::Kind::Empty) return name;
      const auto row = std::find_if(kKeyboardKeyTable.begin(), kKeyboardKeyTable.end(),
                                     [&](const KeyboardKeyRow& r) { return r.function == f; });
      return row == kKeyboardKeyTable.end() ? Empty() : Id(row->nameId);
    }
    default:
      break;
  }
  if (std::find(kCaptionKeepingTypes.begin(), kCaptionKeepingTypes.end(), f.type) != kCaptionKeepingTypes.end()) {
    return FunctionName{FunctionName::Kind::Keep, {}};
  }
  return FunctionName{FunctionName::Kind::Text, kNameUnknownType};
}

std::string CaptionOf(const FunctionName& name, const TextLookup& lookup, const std::string& current) {
  switch (name.kind) {
    case FunctionName::Kind::Keep:
      return current;
    case FunctionName::Kind::Empty:
      return {};
    case FunctionName::Kind::TextId:
      return lookup ? lookup(name.value) : name.value;
    case FunctionName::Kind::Text:
      return name.value;
  }
  return {};
}

}  // namespace tarn
