// Layouts are files of the skin folder that anyone can edit: whatever they
// hold, building them must neither crash nor hang.
#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/dialog_builder.h"
#include "ui/control.h"
#include "ui/xml_node.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication* app = new QApplication(*argc, *argv);
  (void)app;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  auto tree = tarn::ParseXml(text, &error);
  if (tree == nullptr) return 0;
  tarn::CDialogBuilder builder;
  tarn::CControlUI* root = builder.CreateFromText(text, nullptr);
  delete root;
  return 0;
}
