#include "app/skin_frame.h"

#include <QFileDialog>

#include "app/skin_observer.h"
#include "platform/paths.h"
#include "platform/settings_file.h"
#include "profile/data_folders.h"
#include "ui/container.h"
#include "ui/ui_string.h"

namespace tarn {
namespace {

std::function<std::string()>& ImageHook() {
  static std::function<std::string()> hook;
  return hook;
}

}  // namespace

SkinObserver& SkinChangeObserver() {
  static SkinObserver observer;
  return observer;
}

std::string SkinSettingsPath() { return JoinPath(GetAppDataFolder(), kSkinSettingsName); }

void CSkinFrame::SetImageDialogHook(std::function<std::string()> hook) { ImageHook() = std::move(hook); }

CSkinFrame::CSkinFrame(CControlUI* anchor) : m_pAnchor(anchor) {}

CSkinFrame* CSkinFrame::Open(CControlUI* anchor) {
  auto* frame = new CSkinFrame(anchor);
  frame->setAttribute(Qt::WA_DeleteOnClose, true);
  // A pop-up stays off the task bar by itself (a tool flag would undo the pop-up).
  frame->Create(nullptr, "skinframe", CWindowUI::kStylePopup | CWindowUI::kStyleTopmost);
  frame->show();
  return frame;
}

void CSkinFrame::InitWindow() {
  if (m_pAnchor == nullptr || m_pAnchor->GetWidget() == nullptr) return;
  // Top right corner at the anchor's bottom right corner.
  QWidget* anchor = m_pAnchor->GetWidget();
  QPoint bottomRight = anchor->mapToGlobal(QPoint(anchor->width(), anchor->height()));
  int width = GetInitSize().width() > 0 ? GetInitSize().width() : this->width();
  move(bottomRight.x() - width, bottomRight.y());
}

void CSkinFrame::WriteSkinSettings(const std::string& flags, const std::string& image) {
  CSettingsFile file(SkinSettingsPath());
  file.Load();
  file.Set("SKINIMAGE", "FLAGS", flags);
  file.Set("SKINIMAGE", "IMAGE", image);
  file.Save();
}

void CSkinFrame::Notify(TNotifyUI& msg) {
  if (msg.sType != "click" || msg.pSender == nullptr) return;
  const std::string& name = msg.pSender->GetName();
  SkinChangedParam param;
  if (EqualsNoCase(name, "skin_image_btn")) {
    param.bgimage = msg.pSender->GetUserData();
    SkinChangeObserver().Broadcast(param);
    WriteSkinSettings("1", param.bgimage);
  } else if (EqualsNoCase(name, "skin_color_btn")) {
    param.bColor = true;
    param.bkcolor = msg.pSender->GetBkColor();
    SkinChangeObserver().Broadcast(param);
  } else if (EqualsNoCase(name, "skin_image") || EqualsNoCase(name, "skin_color")) {
    if (auto* tab = FindControlAs<CTabLayoutUI>("skin_tab")) tab->SelectItem(EqualsNoCase(name, "skin_image") ? 0 : 1);
  } else if (EqualsNoCase(name, "skin_reset")) {
    param.bgimage = kDefaultBackground;
    SkinChangeObserver().Broadcast(param);
    WriteSkinSettings("0", kDefaultBackground);
  } else if (EqualsNoCase(name, "skin_Custom")) {
    std::string chosen;
    if (ImageHook()) {
      chosen = ImageHook()();
    } else {
      chosen = QFileDialog::getOpenFileName(this, QString(), QStringLiteral("*.png"),
                                            QStringLiteral("(*.png) (*.png);;(*.*) (*)"))
                   .toStdString();
    }
    if (chosen.empty()) return;
    param.bgimage = chosen;
    SkinChangeObserver().Broadcast(param);
  }
}

}  // namespace tarn
