#pragma once
// One font file of the program's "Font" folder, added to the process's
// fonts for as long as this object holds it.
#include <string>

namespace tarn {

class CPrivateFont {
 public:
  CPrivateFont() = default;
  ~CPrivateFont() { UnloadPrivateFont(); }
  CPrivateFont(const CPrivateFont&) = delete;
  CPrivateFont& operator=(const CPrivateFont&) = delete;

  // relativePath is under the program folder ("Font\\x.ttf"; "\" reads as
  // "/"); the path may be of any length. False when the file cannot be read
  // or is not a font; nothing is reported.
  bool LoadPrivateFont(const std::string& relativePath);
  void UnloadPrivateFont();
  bool IsLoaded() const { return m_nFontId >= 0; }
  const std::string& GetPath() const { return m_sPath; }
  // The families the file provided (empty when not loaded).
  std::string GetFamily() const;

 private:
  std::string m_sPath;
  int m_nFontId = -1;
};

}  // namespace tarn
