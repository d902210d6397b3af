#pragma once
// Open and save dialogs for the exported and imported files: profiles,
// macros and recoil patterns.
#include <functional>
#include <string>

class QWidget;

namespace tarn {

struct FileFilter {
  const char* description;  // "Profile Files(*.json)"
  const char* pattern;      // "*.json;"
};

extern const FileFilter kProfileFilter;
extern const FileFilter kMacroFilter;
extern const FileFilter kShootFilter;

// The filter's extension with its dot (".json"); empty for "*.*".
std::string FilterExtension(const FileFilter& filter);
// A save path gets the filter's extension when it has none of its own kind.
std::string WithFilterExtension(const std::string& path, const FileFilter& filter);

// True when the user chose an existing file.
bool AskOpenFile(const FileFilter& filter, QWidget* owner, std::string& path);
// True when the user chose a file name (a new one, or an existing one whose
// replacement the user confirmed); the filter's extension is added.
bool AskSaveFile(const FileFilter& filter, QWidget* owner, std::string& path);

// Test hook: answers every dialog with the function instead of opening one
// (save = which dialog; returns the chosen path, "" for cancel).
void SetFileDialogHook(std::function<std::string(bool save, const FileFilter& filter)> hook);

}  // namespace tarn
