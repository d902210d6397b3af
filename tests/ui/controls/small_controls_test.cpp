// The smaller own controls: the ring's sweep, the record button's pulse, the
// draggable image window, the level strip and the registered class names.
#include <QImage>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"
#include "ui/controls/audio_record.h"
#include "ui/controls/circle_progress.h"
#include "ui/controls/hand_img_button.h"
#include "ui/controls/own_controls.h"
#include "ui/controls/redio_macro_button.h"
#include "ui/dialog_builder.h"

namespace tarn {
namespace {

using test::App;

TEST(CircleProgressTest, SweepCountsFromTheMinimumAndStaysInTheCircle) {
  struct Case {
    int value, minimum, maximum;
    double degrees;
  } cases[] = {
      {50, 0, 100, 180},  {150, 100, 200, 180}, {100, 100, 200, 0}, {200, 100, 200, 360},
      {250, 100, 200, 360}, {-5, 0, 100, 0},    {5, 10, 10, 0},     {5, 10, 0, 0},
      {-50, -100, 0, 180},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(CircleSweepDegrees(c.value, c.minimum, c.maximum), c.degrees)
        << c.value << " in " << c.minimum << ".." << c.maximum;
}

TEST(CircleProgressTest, DrawsThePieFromTheTop) {
  App();
  CCircleProgressUI ring;
  ring.SetAttribute("bkcolor", "#FF000000");
  ring.SetAttribute("forecolor", "#FF00FF00");
  ring.SetAttribute("min", "100");
  ring.SetAttribute("max", "200");
  ring.SetAttribute("value", "150");
  ring.resize(100, 100);
  QImage image = ring.grab().toImage();
  EXPECT_EQ(image.pixelColor(75, 8), QColor(0, 255, 0)) << "right half, in the ring";
  EXPECT_EQ(image.pixelColor(25, 8), QColor(0, 0, 0)) << "left half not swept";
  EXPECT_EQ(image.pixelColor(50, 50), QColor(255, 255, 255)) << "white middle";
}

TEST(RedioMacroButtonTest, FadeRunsDownToEightyAndBack) {
  App();
  CRedioMacroButtonUI button;
  button.SetAttribute("redioimage", "rec.png");
  std::vector<int> fades;
  for (int i = 0; i < 18; ++i) {
    button.OnPulseTimer();
    fades.push_back(button.GetFade());
  }
  std::vector<int> expected = {235, 215, 195, 175, 155, 135, 115, 95, 80, 100, 120, 140, 160, 180, 200, 220, 240, 255};
  EXPECT_EQ(fades, expected);
  button.OnPulseTimer();
  EXPECT_EQ(button.GetFade(), 235);
  EXPECT_EQ(button.GetImageString(), "res='rec.png' fade='235'");
}

TEST(RedioMacroButtonTest, PulsesOnlyWhileStarted) {
  App();
  CRedioMacroButtonUI button;
  button.SetAttribute("redioimage", "rec.png");
  button.StartPulse();
  ASSERT_TRUE(test::WaitFor([&] { return button.GetFade() <= 195; }));
  button.StopPulse();
  int stopped = button.GetFade();
  test::Pump(150);
  EXPECT_EQ(button.GetFade(), stopped);
}

TEST(HandImgSelectButtonTest, DraggedWindowStaysInsideTheImage) {
  App();
  std::string folder = test::ScratchFolder("hand_select");
  QImage big(100, 60, QImage::Format_ARGB32);
  big.fill(Qt::blue);
  big.save(QString::fromStdString(folder + "map.png"));
  CResourceManager::Instance().SetResourcePath(folder);
  CHandImgSelectButtonUI button;
  button.SetAttribute("width", "40");
  button.SetAttribute("height", "30");
  button.resize(40, 30);
  button.SetAttribute("handimage", "map.png");
  EXPECT_EQ(button.GetImageString(), "file='map.png' source='0,0,40,30'");

  auto drag = [&](QPoint from, QPoint to) {
    QTest::mousePress(&button, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, button.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&button, &move);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, to);
  };
  struct Case {
    QPoint from, to;
    QRect source;
  } cases[] = {
      {{30, 10}, {10, 10}, QRect(20, 0, 40, 30)},   // mouse left: window right
      {{30, 25}, {0, 0}, QRect(50, 25, 40, 30)},
      {{30, 25}, {0, 0}, QRect(60, 30, 40, 30)},    // at the far corner it stops
      {{1, 1}, {39, 29}, QRect(22, 2, 40, 30)},
      {{1, 1}, {39, 29}, QRect(0, 0, 40, 30)},      // never below 0
  };
  for (const Case& c : cases) {
    drag(c.from, c.to);
    EXPECT_EQ(button.GetSourceRect(), c.source) << c.to.x();
  }
  EXPECT_EQ(button.GetImageString(), "file='map.png' source='0,0,40,30'");

  // An image no larger than the button is shown whole and does not move.
  CHandImgSelectButtonUI whole;
  whole.resize(200, 200);
  whole.SetAttribute("handimage", "map.png");
  EXPECT_EQ(whole.GetImageString(), "map.png");
}

TEST(AudioRecordTest, KeepsFiveHundredBarsScaledToEightThousand) {
  App();
  CAudioRecordUI strip;
  for (int i = 0; i < 600; ++i) strip.AddValue(i);
  EXPECT_EQ(strip.Values().size(), 500u);
  EXPECT_EQ(strip.Values().front(), 100);
  EXPECT_EQ(CAudioRecordUI::BarHeight(8192, 64), 64);
  EXPECT_EQ(CAudioRecordUI::BarHeight(4096, 64), 32);
  EXPECT_EQ(CAudioRecordUI::BarHeight(-20000, 64), 64);
}

TEST(OwnControlsTest, LayoutsFindEveryClassByItsName) {
  App();
  RegisterOwnControls();
  struct Case {
    const char* type;
    const char* cls;
  } cases[] = {{"DeviceKeyButton", "DeviceKeyButton"}, {"SelectPanel", "SelectPanel"},
               {"HandImgButton", "HandImgButton"},     {"HandImgSelectButton", "HandImgSelectButton"},
               {"RedioMacroButton", "RedioMacroButton"}, {"CircleProgress", "CircleProgress"},
               {"ChartView", "ChartView"},             {"AudioRecord", "AudioRecord"},
               {"Wnd", "Wnd"}};
  for (const Case& c : cases) {
    std::unique_ptr<CControlUI> control(CControlFactory::Instance().CreateControl(c.type));
    ASSERT_NE(control, nullptr) << c.type;
    EXPECT_EQ(control->GetClass(), c.cls);
  }
}

}  // namespace
}  // namespace tarn
