// Modal windows, pop-up menus, the tray icon and the drawing helpers.
#include <QImage>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/ui/ui_test_support.h"
#include "ui/basic_controls.h"
#include "ui/menu_window.h"
#include "ui/render_engine.h"
#include "ui/tray_icon.h"

namespace tarn {
namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::App();
    folder = test::ScratchFolder("windows");
    test::WriteFile(folder + "dialog.xml", R"(<Window size="200,120"><VerticalLayout name="root">
        <Button name="yes_btn" text="yes"/><Button name="no_btn" text="no"/></VerticalLayout></Window>)");
    test::WriteFile(folder + "menu.xml", R"(<Window><Menu name="menu">
        <MenuElement name="about_menu" text="about" height="24"/>
        <MenuElement name="exit" text="exit" height="24"/></Menu></Window>)");
    CResourceManager::Instance().SetResourcePath(folder);
  }
  std::string folder;
};

// A dialog that closes itself with a result when a button is clicked.
class CAnswerWindow : public test::CRecordingWindow {
 public:
  CAnswerWindow() : CRecordingWindow("dialog.xml") {}
  void Notify(TNotifyUI& msg) override {
    CRecordingWindow::Notify(msg);
    if (msg.sType == "click") Close(msg.pSender->GetName() == "yes_btn" ? 1 : 2);
  }
};

TEST_F(WindowTest, ModalWindowReturnsTheResultGivenToClose) {
  struct Case {
    const char* button;
    int result;
  } cases[] = {{"yes_btn", 1}, {"no_btn", 2}};
  for (const auto& c : cases) {
    CAnswerWindow dialog;
    dialog.Create(nullptr, "dialog");
    QTimer::singleShot(20, &dialog, [&dialog, &c]() {
      QWidget* button = dialog.FindControl(c.button)->GetWidget();
      QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    });
    EXPECT_EQ(dialog.ShowModal(), c.result) << c.button;
    EXPECT_FALSE(dialog.isVisible());
  }
  // A window that refuses to close keeps the modal loop running until it agrees.
  struct Stubborn : CAnswerWindow {
    bool OnCloseRequest() override { return ++asked > 1; }
    int asked = 0;
  } stubborn;
  stubborn.Create(nullptr, "dialog");
  QTimer::singleShot(10, &stubborn, [&stubborn]() { stubborn.Close(5); });
  QTimer::singleShot(40, &stubborn, [&stubborn]() { stubborn.Close(6); });
  EXPECT_EQ(stubborn.ShowModal(), 6);
  EXPECT_EQ(stubborn.asked, 2);
}

TEST_F(WindowTest, MenuItemReachesOwnerAndMenuCloses) {
  test::CRecordingWindow owner("dialog.xml");
  owner.Create(nullptr, "owner");
  owner.show();
  QPointer<CMenuWnd> menu = CMenuWnd::Init(&owner, "menu.xml", QPoint(100, 100), CMenuWnd::kAlignRightBelow);
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu.data()));
  EXPECT_EQ(menu->GetOwner(), &owner);
  QWidget* exit = menu->FindControl("exit")->GetWidget();
  QTest::mouseClick(exit, Qt::LeftButton, {}, exit->rect().center());
  EXPECT_TRUE(owner.commands.empty());  // delivered from the loop, after the menu closed
  ASSERT_TRUE(test::WaitFor([&owner] { return !owner.commands.empty(); }));
  EXPECT_EQ(owner.commands, std::vector<std::string>{"exit"});
  EXPECT_TRUE(test::WaitFor([&menu] { return menu == nullptr; }));  // deleted on close

  // Alignment: above-left puts the point at the menu's bottom right corner.
  QPointer<CMenuWnd> above = CMenuWnd::Init(&owner, "menu.xml", QPoint(400, 400), CMenuWnd::kAlignLeftAbove);
  ASSERT_NE(above, nullptr);
  EXPECT_EQ(above->geometry().bottomRight() + QPoint(1, 1), QPoint(400, 400));
  above->Close();
  EXPECT_EQ(CMenuWnd::Init(&owner, "no_menu.xml", QPoint(0, 0)), nullptr);
}

// Records window messages and the thread they were handled on.
class CMessageWindow : public test::CRecordingWindow {
 public:
  CMessageWindow() : CRecordingWindow("dialog.xml") {}
  bool HandleMessage(uint32_t message, int64_t wParam, int64_t lParam) override {
    onUiThread = onUiThread && QThread::currentThread() == thread();
    handled.push_back({message, wParam, lParam});
    return message != 0xC13;
  }
  struct Message {
    uint32_t id;
    int64_t w, l;
  };
  std::vector<Message> handled;
  bool onUiThread = true;
};

TEST_F(WindowTest, MessagesFromWorkerThreadsAreHandledOnTheUiThread) {
  CMessageWindow window;
  window.Create(nullptr, "messages");
  std::atomic<int> sendResult{-1};
  std::atomic<int> refusedResult{-1};
  std::thread worker([&]() {
    window.PostWindowMessage(0xC12, 1, 2);
    sendResult = window.SendWindowMessage(0xD03, 3, 4, 5000) ? 1 : 0;
    refusedResult = window.SendWindowMessage(0xC13, 5, 6, 5000) ? 1 : 0;
  });
  ASSERT_TRUE(test::WaitFor([&] { return refusedResult != -1; }, 5000));
  worker.join();
  ASSERT_EQ(window.handled.size(), 3u);
  EXPECT_EQ(window.handled[0].id, 0xC12u);
  EXPECT_EQ(window.handled[0].w, 1);
  EXPECT_EQ(window.handled[1].id, 0xD03u);
  EXPECT_EQ(window.handled[1].l, 4);
  EXPECT_EQ(sendResult, 1);
  EXPECT_EQ(refusedResult, 0);  // the window did not handle it
  EXPECT_TRUE(window.onUiThread);
  EXPECT_TRUE(window.SendWindowMessage(0xC00));  // on the UI thread: at once
  EXPECT_EQ(window.handled.size(), 4u);

  // A UI thread busy waiting for the worker: the send gives up, and the
  // message is not handled late.
  std::thread blocked([&]() { sendResult = window.SendWindowMessage(0xC15, 0, 0, 50) ? 1 : 0; });
  blocked.join();
  EXPECT_EQ(sendResult, 0);
  test::Pump(20);
  EXPECT_EQ(window.handled.size(), 4u);

  // Posted to a window that is gone: dropped.
  auto* doomed = new CMessageWindow();
  doomed->Create(nullptr, "doomed");
  doomed->PostWindowMessage(0xC12);
  delete doomed;
  test::Pump(20);
}

TEST_F(WindowTest, TrayIconLivesWithoutATrayToo) {
  CTrayIcon tray;
  int events = 0;
  tray.CreateTrayIcon(QIcon(), "Tarn", [&events](CTrayIcon::Event) { ++events; });
  EXPECT_TRUE(tray.IsCreated());
  EXPECT_EQ(tray.GetToolTip(), "Tarn");
  tray.SetToolTip("other");
  EXPECT_EQ(tray.GetToolTip(), "other");
  tray.DeleteTrayIcon();
  EXPECT_FALSE(tray.IsCreated());
  EXPECT_EQ(tray.GetToolTip(), "");
}

TEST_F(WindowTest, DrawingHelpersPaintWhereAsked) {
  QImage image(40, 40, QImage::Format_ARGB32);
  image.fill(Qt::black);
  {
    QPainter painter(&image);
    CRenderEngine::DrawColor(painter, QRect(0, 0, 20, 20), 0xFFFF0000);
    CRenderEngine::DrawRect(painter, QRect(20, 20, 20, 20), 2, 0xFF00FF00);
  }
  EXPECT_EQ(image.pixel(5, 5), 0xFFFF0000u);
  EXPECT_EQ(image.pixel(25, 25), 0xFF000000u);  // inside the frame
  EXPECT_EQ(image.pixel(20, 30), 0xFF00FF00u);  // the frame's left edge
  EXPECT_EQ(image.pixel(39, 30), 0xFF00FF00u);  // its right edge
  EXPECT_EQ(image.pixel(30, 10), 0xFF000000u);

  QImage blue(4, 4, QImage::Format_ARGB32);
  blue.fill(QColor(0, 0, 255));
  ASSERT_TRUE(blue.save(QString::fromStdString(folder + "blue.png")));
  QImage canvas(10, 10, QImage::Format_ARGB32);
  canvas.fill(Qt::white);
  {
    QPainter painter(&canvas);
    EXPECT_TRUE(CRenderEngine::DrawImageString(painter, QRect(0, 0, 5, 10), "file='blue.png'"));
    EXPECT_FALSE(CRenderEngine::DrawImageString(painter, QRect(5, 0, 5, 10), "missing.png"));
    CRenderEngine::DrawText(painter, QRect(5, 0, 5, 10), "", 0xFF000000, QFont());
  }
  EXPECT_EQ(canvas.pixel(2, 5), 0xFF0000FFu);
  EXPECT_EQ(canvas.pixel(8, 5), 0xFFFFFFFFu);

  // A control's background image and colour reach its style.
  CLabelUI label;
  label.SetBkImage("blue.png");
  label.SetBkColor(0xFF102030);
  EXPECT_NE(label.styleSheet().indexOf(QString::fromStdString(folder + "blue.png")), -1);
  EXPECT_NE(label.styleSheet().indexOf("rgba(16,32,48,255)"), -1);
}

}  // namespace
}  // namespace tarn
