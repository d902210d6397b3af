#pragma once
// The name under which a key function is shown (key button captions and
// tooltips). Most names are language text ids; a combination of keys is
// joined from language texts, and a macro is named by the user's own text.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "keyset/key_function.h"

namespace tarn {

struct FunctionName {
  enum class Kind {
    Keep,    // the type has no name: the caption stays as it was
    Empty,   // no table row matches: an empty caption
    TextId,  // value is a language text id
    Text,    // value is text to show as it is
  };
  Kind kind = Kind::Empty;
  std::string value;

  friend bool operator==(const FunctionName&, const FunctionName&) = default;
};

// Turns a language text id into its text (the language layer's lookup).
using TextLookup = std::function<std::string(std::string_view id)>;

// The name of `f`. `macroNames` is the device's macro list in order (macro
// functions name a macro by its position); `lookup` is used only where texts
// are joined ("LCtrl+C" for a key with one modifier that no row names).
FunctionName NameOfFunction(KeyFunction f, const std::vector<std::string>& macroNames, const TextLookup& lookup);

// Resolves a name to the text to show; Keep gives `current` back.
std::string CaptionOf(const FunctionName& name, const TextLookup& lookup, const std::string& current);

}  // namespace tarn
