#include "app/about_wnd.h"

#include <QPointer>

#include "ui/ui_string.h"

namespace tarn {
namespace {

QPointer<CAboutWnd> g_about;
constexpr uint32_t kMsgLanguageChanged = 0xC11;

}  // namespace

CAboutWnd* OpenAboutWnd() { return g_about.data(); }

void CAboutWnd::InitWindow() { ShowVersion(); }

void CAboutWnd::ShowVersion() {
  CControlUI* translator = FindControl("text_test");
  CControlUI* label = FindControl("software_ver_label");
  if (label == nullptr) return;
  std::string prefix;
  if (translator != nullptr) {
    translator->SetResourceText(true);
    translator->SetText("software_rev_text");
    prefix = translator->GetText();
  }
  label->SetResourceText(false);
  label->SetText(prefix + kSoftwareVersion);
}

void CAboutWnd::Notify(TNotifyUI& msg) {
  if (msg.sType != "click" || msg.pSender == nullptr) return;
  const std::string& name = msg.pSender->GetName();
  CControlUI* maxButton = FindControl("maxbtn");
  CControlUI* restoreButton = FindControl("restorebtn");
  auto showZoom = [maxButton, restoreButton](bool zoomed) {
    if (maxButton != nullptr) maxButton->SetVisible(!zoomed);
    if (restoreButton != nullptr) restoreButton->SetVisible(zoomed);
  };
  if (EqualsNoCase(name, "closebtn")) {
    Close(0);
  } else if (EqualsNoCase(name, "minbtn")) {
    showMinimized();
  } else if (EqualsNoCase(name, "maxbtn")) {
    showMaximized();
    showZoom(true);
  } else if (EqualsNoCase(name, "restorebtn")) {
    showNormal();
    showZoom(false);
  }
  // "homepage_btn" and "menubtn" have no action.
}

bool CAboutWnd::HandleMessage(uint32_t message, int64_t, int64_t) {
  if (message != kMsgLanguageChanged) return false;
  ShowVersion();
  update();
  return true;
}

void ShowAbout(QWidget* owner) {
  if (g_about != nullptr) return;
  CAboutWnd about;
  about.Create(owner, "  ", CWindowUI::kStyleFrameless | CWindowUI::kStyleTool);
  about.resize(800, 572);
  g_about = &about;
  about.CenterWindow();
  // The window manager's close ends only the box (the box is modal; nothing
  // else listens for it).
  about.ShowModal();
  g_about = nullptr;
}

}  // namespace tarn
