#include "app/file_dialogs.h"

#include <QFileDialog>
#include <QString>

#include "ui/ui_string.h"

namespace tarn {
namespace {

std::function<std::string(bool, const FileFilter&)>& Hook() {
  static std::function<std::string(bool, const FileFilter&)> hook;
  return hook;
}

QString QtFilter(const FileFilter& filter) {
  // "Profile Files(*.json)" already names its pattern the way Qt reads it.
  return QString::fromUtf8(filter.description);
}

}  // namespace

const FileFilter kProfileFilter = {"Profile Files(*.json)", "*.json;"};
const FileFilter kMacroFilter = {"Macro Files(*.mac)", "*.mac;"};
const FileFilter kShootFilter = {"Shoot Files(*.shoot)", "*.shoot;"};

void SetFileDialogHook(std::function<std::string(bool, const FileFilter&)> hook) { Hook() = std::move(hook); }

std::string FilterExtension(const FileFilter& filter) {
  std::string pattern = filter.pattern;
  size_t end = pattern.find(';');
  if (end != std::string::npos) pattern.resize(end);
  if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0 || pattern == "*.*") return {};
  return pattern.substr(1);
}

std::string WithFilterExtension(const std::string& path, const FileFilter& filter) {
  std::string extension = FilterExtension(filter);
  if (extension.empty() || path.empty()) return path;
  if (path.size() >= extension.size() &&
      EqualsNoCase(std::string_view(path).substr(path.size() - extension.size()), extension))
    return path;
  return path + extension;
}

bool AskOpenFile(const FileFilter& filter, QWidget* owner, std::string& path) {
  std::string chosen;
  if (Hook()) {
    chosen = Hook()(false, filter);
  } else {
    chosen = QFileDialog::getOpenFileName(owner, QString(), QString(), QtFilter(filter)).toStdString();
  }
  path = chosen;
  return !chosen.empty();
}

bool AskSaveFile(const FileFilter& filter, QWidget* owner, std::string& path) {
  std::string chosen;
  if (Hook()) {
    chosen = Hook()(true, filter);
  } else {
    QFileDialog dialog(owner, QString(), QString(), QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt asks before replacing a file; the suffix is added where none is typed.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    std::string extension = FilterExtension(filter);
    if (!extension.empty()) dialog.setDefaultSuffix(QString::fromStdString(extension.substr(1)));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      chosen = dialog.selectedFiles().first().toStdString();
  }
  path = WithFilterExtension(chosen, filter);
  return !path.empty();
}

}  // namespace tarn
