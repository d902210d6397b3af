// The message box, the about box and the file dialogs, driven by their
// controls on the offscreen platform.
#include <QApplication>
#include <QFileDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/about_wnd.h"
#include "app/file_dialogs.h"
#include "app/message_box.h"
#include "platform/debug_output.h"
#include "tests/ui/ui_test_support.h"

namespace tarn {
namespace {

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::App();
    // A quit asked for by an earlier test's "exit" would end the modal loops.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    CResourceManager::Instance().SetResourcePath(std::string(TARN_SOURCE_DIR) + "/skin/");
    ASSERT_TRUE(CResourceManager::Instance().LoadResource("res.xml"));
    ASSERT_TRUE(CResourceManager::Instance().LoadLanguage("lan_en.xml"));
  }
  void TearDown() override { CResourceManager::Instance().Release(); }
};

// Runs `act` on the first top-level window of type T once it is up.
template <class T>
void WhenUp(std::function<void(T*)> act) {
  // The pending timer holds the poll; the poll itself only a weak reference.
  auto poll = std::make_shared<std::function<void()>>();
  std::weak_ptr<std::function<void()>> self = poll;
  *poll = [act, self] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* window = dynamic_cast<T*>(widget); window != nullptr && window->isVisible()) {
        act(window);
        return;
      }
    }
    if (auto again = self.lock()) QTimer::singleShot(5, [again] { (*again)(); });
  };
  QTimer::singleShot(5, [poll] { (*poll)(); });
}

void ClickControl(CWindowUI* window, const char* name) {
  CControlUI* control = window->FindControl(name);
  ASSERT_NE(control, nullptr) << name;
  QTest::mouseClick(control->GetWidget(), Qt::LeftButton);
}

TEST_F(DialogsTest, MessageBoxButtonsAndResults) {
  struct Case {
    int buttons;
    const char* click;  // null: closed by the window manager
    bool cancelShown;
    int result;
  } cases[] = {
      {kMsgConfirmOnly, "confirm_btn", false, 1},   {kMsgConfirmOnly, "closebtn", false, 0},
      {kMsgConfirmCancel, "confirm_btn", true, 1},  {kMsgConfirmCancel, "cancel_btn", true, 0},
      {kMsgConfirmCancel, "closebtn", true, 0},     {kMsgConfirmCancel, nullptr, true, 0},
  };
  for (const Case& c : cases) {
    bool cancelShown = !c.cancelShown;
    bool confirmShown = false;
    std::string text;
    WhenUp<CMsgWnd>([&](CMsgWnd* box) {
      cancelShown = box->FindControl("cancel_btn")->IsVisible();
      confirmShown = box->FindControl("confirm_btn")->IsVisible();
      text = box->FindControl("MessageText")->GetText();
      if (c.click != nullptr) {
        ClickControl(box, c.click);
      } else {
        box->close();
      }
    });
    int result = ShowMessage(nullptr, {}, "message_text_22", 96, true, c.buttons);
    EXPECT_EQ(result, c.result) << c.buttons << " " << (c.click ? c.click : "window manager");
    EXPECT_EQ(cancelShown, c.cancelShown);
    EXPECT_TRUE(confirmShown);
    EXPECT_EQ(text, "Restore the default settings?");
  }
}

TEST_F(DialogsTest, MessageBoxDpiAndPlainText) {
  std::vector<std::string> lines;
  SetDebugSink([&lines](const std::string& line) { lines.push_back(line); });
  struct Case {
    int asked, taken;
    bool error;
  } cases[] = {{100, 96, true}, {144, 144, false}, {48, 48, false}, {0, 96, true}, {193, 96, true}};
  for (const Case& c : cases) {
    lines.clear();
    EXPECT_EQ(MessageBoxDpi(c.asked), c.taken) << c.asked;
    EXPECT_EQ(!lines.empty() && lines.back() == "MSG_WND DPI SET ERROR", c.error) << c.asked;
  }
  int dpi = 0;
  std::string text;
  WhenUp<CMsgWnd>([&](CMsgWnd* box) {
    dpi = box->GetDPI();
    text = box->FindControl("MessageText")->GetText();
    ClickControl(box, "confirm_btn");
  });
  // Plain text is shown as it is, even when it looks like a key.
  EXPECT_EQ(ShowMessage(nullptr, {}, "message_text_22", 100, false, kMsgConfirmOnly), 1);
  SetDebugSink(nullptr);
  EXPECT_EQ(dpi, 96);
  EXPECT_EQ(text, "message_text_22");
}

TEST(NumberText, HostileTextsTakeOnlyTheirFirstNumber) {
  struct Case {
    const char* text;
    long long number;
    const char* shown;
  } cases[] = {
      {"over by %d bytes", 12, "over by 12 bytes"},
      {"%s %n %x %d %d", 5, "%s %n %x 5 %d"},
      {"%%d", 7, "%7"},
      {"no number here", 3, "no number here 3"},
      {"", -4, "-4"},
      {"%d", 2147483648LL, "2147483648"},
      {"100% full: %d", 1, "100% full: 1"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatNumberText(c.text, c.number), c.shown) << c.text;
}

TEST_F(DialogsTest, AboutBoxOpensOnceAndClosesOnlyItself) {
  int opened = 0;
  int nestedReturned = 0;
  std::string version;
  WhenUp<CAboutWnd>([&](CAboutWnd* about) {
    ++opened;
    version = about->FindControl("software_ver_label")->GetText();
    // A second request while it is open does nothing and returns at once.
    ShowAbout(nullptr);
    ++nestedReturned;
    about->close();  // the window manager's close
  });
  bool loopEnded = false;
  QObject guard;
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, &guard, [&loopEnded] { loopEnded = true; });
  ShowAbout(nullptr);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(nestedReturned, 1);
  EXPECT_EQ(version, "Software version: V1.0.0.0");
  EXPECT_EQ(OpenAboutWnd(), nullptr);
  EXPECT_FALSE(loopEnded);
  // And again, closed by its own button this time.
  WhenUp<CAboutWnd>([&](CAboutWnd* about) { ClickControl(about, "closebtn"); });
  ShowAbout(nullptr);
  EXPECT_EQ(OpenAboutWnd(), nullptr);
}

TEST(FileFilters, ExtensionsOfSavedFiles) {
  struct Case {
    const FileFilter* filter;
    const char* path;
    const char* saved;
  } cases[] = {
      {&kProfileFilter, "/tmp/new", "/tmp/new.json"},
      {&kProfileFilter, "/tmp/new.JSON", "/tmp/new.JSON"},
      {&kProfileFilter, "/tmp/new.mac", "/tmp/new.mac.json"},
      {&kMacroFilter, "/tmp/m", "/tmp/m.mac"},
      {&kShootFilter, "/tmp/s.shoot", "/tmp/s.shoot"},
      {&kShootFilter, "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(WithFilterExtension(c.path, *c.filter), c.saved) << c.path;
}

TEST_F(DialogsTest, FileDialogsOffscreen) {
  std::string folder = test::ScratchFolder("file_dialogs");
  // A new name in the save dialog gets the filter's extension.
  WhenUp<QFileDialog>([&](QFileDialog* dialog) {
    dialog->selectFile(QString::fromStdString(folder + "exported"));
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as the OK button runs it
  });
  std::string path;
  EXPECT_TRUE(AskSaveFile(kProfileFilter, nullptr, path));
  EXPECT_EQ(path, folder + "exported.json");
  // Cancel: no path, no message.
  WhenUp<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_FALSE(AskSaveFile(kMacroFilter, nullptr, path));
  EXPECT_EQ(path, "");
  // Open takes an existing file.
  test::WriteFile(folder + "in.json", "{}");
  WhenUp<QFileDialog>([&](QFileDialog* dialog) {
    dialog->selectFile(QString::fromStdString(folder + "in.json"));
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as the OK button runs it
  });
  EXPECT_TRUE(AskOpenFile(kProfileFilter, nullptr, path));
  EXPECT_EQ(path, folder + "in.json");
  WhenUp<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_FALSE(AskOpenFile(kProfileFilter, nullptr, path));
}

}  // namespace
}  // namespace tarn
