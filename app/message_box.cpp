#include "app/message_box.h"

#include <QTimer>

#include "platform/debug_output.h"
#include "ui/ui_string.h"

namespace tarn {
namespace {

int g_autoAnswer = -1;
int g_shownCount = 0;
std::string g_lastText;

}  // namespace

void SetMessageBoxAutoAnswer(int result) { g_autoAnswer = result; }
int MessageBoxShownCount() { return g_shownCount; }
const std::string& LastMessageBoxText() { return g_lastText; }

void CMsgWnd::Notify(TNotifyUI& msg) {
  if (msg.sType != "click" || msg.pSender == nullptr) return;
  const std::string& name = msg.pSender->GetName();
  if (EqualsNoCase(name, "confirm_btn")) {
    Close(1);
  } else if (EqualsNoCase(name, "cancel_btn") || EqualsNoCase(name, "closebtn")) {
    Close(0);
  } else if (EqualsNoCase(name, "minbtn")) {
    showMinimized();
  } else if (EqualsNoCase(name, "maxbtn")) {
    showMaximized();
  } else if (EqualsNoCase(name, "restorebtn")) {
    showNormal();
  }
}

int MessageBoxDpi(int dpi) {
  for (int allowed : {48, 72, 96, 120, 144, 168, 192})
    if (dpi == allowed) return dpi;
  DebugOutput("MSG_WND DPI SET ERROR");
  return 96;
}

int ShowMessage(QWidget* parent, const std::string& title, const std::string& text, int dpi, bool textIsKey,
                int buttons) {
  auto* box = new CMsgWnd();
  box->setAttribute(Qt::WA_DeleteOnClose, false);
  box->Create(parent, "msgwnd", CWindowUI::kStyleFrameless | CWindowUI::kStyleTool);
  if (CControlUI* label = box->FindControl("MessageTitle"); label != nullptr && !title.empty()) {
    label->SetResourceText(true);
    label->SetText(title);
  }
  if (CControlUI* label = box->FindControl("MessageText"); label != nullptr && !text.empty()) {
    label->SetResourceText(textIsKey);
    label->SetText(text);
    g_lastText = label->GetText();
  } else {
    g_lastText = text;
  }
  box->SetDPI(MessageBoxDpi(dpi));
  CControlUI* confirm = box->FindControl("confirm_btn");
  CControlUI* cancel = box->FindControl("cancel_btn");
  if (buttons == kMsgConfirmOnly || buttons == kMsgConfirmCancel) {
    if (confirm != nullptr) confirm->SetVisible(true);
    if (cancel != nullptr) cancel->SetVisible(buttons == kMsgConfirmCancel);
  }
  box->CenterWindow();
  ++g_shownCount;
  if (g_autoAnswer >= 0) {
    int answer = g_autoAnswer;
    QTimer::singleShot(0, box, [box, answer] { box->Close(answer); });
  }
  int result = box->ShowModal();
  delete box;
  return result == 1 ? 1 : 0;
}

std::string FormatNumberText(const std::string& text, long long number) {
  std::string digits = std::to_string(number);
  size_t at = text.find("%d");
  if (at == std::string::npos) return text.empty() ? digits : text + " " + digits;
  return text.substr(0, at) + digits + text.substr(at + 2);
}

}  // namespace tarn
