#pragma once
// The modal message box ("XML_MSG"): a title, a text (a language key or
// plain text) and a confirm and a cancel button.
#include <string>

#include "ui/window.h"

namespace tarn {

class CMsgWnd : public CWindowUI {
 public:
  std::string GetSkinFile() const override { return "XML_MSG"; }
  std::string GetWindowClassName() const override { return "MsgWnd"; }
  void Notify(TNotifyUI& msg) override;
};

// buttons: kMsgConfirmOnly shows only "confirm_btn", kMsgConfirmCancel both;
// another value keeps the layout's choice.
constexpr int kMsgConfirmOnly = 0;
constexpr int kMsgConfirmCancel = 1;

// The DPI a message box takes: one of 48, 72, 96, 120, 144, 168, 192; any
// other value writes "MSG_WND DPI SET ERROR" and gives 96.
int MessageBoxDpi(int dpi);

// 1 when "confirm_btn" closed the box, 0 for "cancel_btn", "closebtn" or the
// window manager's close. Empty title or text leave the layout's.
int ShowMessage(QWidget* parent, const std::string& title, const std::string& text, int dpi, bool textIsKey,
                int buttons);

// A language text used as a number's frame: its first "%d" becomes the
// number; every other character, "%" included, stays as it is. Without a
// "%d" the number follows the text after a space.
std::string FormatNumberText(const std::string& text, long long number);

// Test hook: when set, ShowMessage closes each box it opens with this
// result once the box is up (-1 = off), counting the boxes shown.
void SetMessageBoxAutoAnswer(int result);
int MessageBoxShownCount();
const std::string& LastMessageBoxText();

}  // namespace tarn
