// Key buttons as they are drawn: the LED overlay in its colour and opacity
// over the button's look, the key-set mark only while the key does
// something else, and the double click.
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"
#include "ui/controls/device_key_button.h"
#include "ui/controls/own_controls.h"

namespace tarn {
namespace {

using test::App;

class KeyButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    RegisterOwnControls();
    m_folder = test::ScratchFolder("key_button");
    // A key-cap shaped light image (opaque) and a red key-set mark in the
    // top-left quarter only.
    QImage light(20, 20, QImage::Format_ARGB32);
    light.fill(Qt::white);
    light.save(QString::fromStdString(m_folder + "light.png"));
    QImage mark(20, 20, QImage::Format_ARGB32);
    mark.fill(Qt::transparent);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) mark.setPixelColor(x, y, Qt::red);
    mark.save(QString::fromStdString(m_folder + "mark.png"));
    CResourceManager::Instance().SetResourcePath(m_folder);
    CResourceManager::Instance().FreeImageCache();
  }
  CDeviceKeyButtonUI* Make() {
    auto* button = new CDeviceKeyButtonUI();
    m_owner.reset(button);
    button->SetAttribute("bkcolor", "#FF000000");
    button->SetAttribute("lightimage", "light.png");
    button->SetAttribute("keysetimage", "file='mark.png'");
    button->resize(40, 40);
    return button;
  }
  static QColor Pixel(QWidget* w, int x, int y) { return w->grab().toImage().pixelColor(x, y); }

  std::string m_folder;
  std::unique_ptr<QWidget> m_owner;
};

TEST_F(KeyButtonTest, FreshButtonShowsNoOverlayAndNoMark) {
  CDeviceKeyButtonUI* button = Make();
  EXPECT_EQ(button->GetClass(), "DeviceKeyButton");
  EXPECT_EQ(button->GetDefaultFlag(), 1);
  EXPECT_FALSE(button->IsLightShown());
  EXPECT_EQ(button->GetLightOpacity(), 200);
  EXPECT_EQ(Pixel(button, 5, 5), QColor(0, 0, 0));
  EXPECT_EQ(Pixel(button, 30, 30), QColor(0, 0, 0));
}

TEST_F(KeyButtonTest, OverlayTakesColourAtOpacityThenMarkOnTop) {
  struct Case {
    uint32_t color;
    int opacity;
    bool shown;
    int defaultFlag;
    QColor expectedCorner;  // (5,5): under the mark when it is drawn
    QColor expectedMiddle;  // (30,30): overlay only
  } cases[] = {
      {0x00FF00, 255, true, 1, QColor(0, 255, 0), QColor(0, 255, 0)},
      {0x0000FF, 128, true, 1, QColor(0, 0, 128), QColor(0, 0, 128)},
      {0x00FF00, 255, false, 1, QColor(0, 0, 0), QColor(0, 0, 0)},
      {0x00FF00, 255, true, 0, QColor(255, 0, 0), QColor(0, 255, 0)},
      {0xFFFFFF, 0, true, 0, QColor(255, 0, 0), QColor(0, 0, 0)},
  };
  for (const Case& c : cases) {
    CDeviceKeyButtonUI* button = Make();
    button->SetLightOverlay(c.color, c.opacity, c.shown);
    button->SetDefaultFlag(c.defaultFlag);
    QColor corner = Pixel(button, 5, 5), middle = Pixel(button, 30, 30);
    EXPECT_NEAR(corner.red(), c.expectedCorner.red(), 2) << c.color << " " << c.opacity;
    EXPECT_NEAR(corner.green(), c.expectedCorner.green(), 2);
    EXPECT_NEAR(corner.blue(), c.expectedCorner.blue(), 2);
    EXPECT_NEAR(middle.red(), c.expectedMiddle.red(), 2);
    EXPECT_NEAR(middle.green(), c.expectedMiddle.green(), 2);
    EXPECT_NEAR(middle.blue(), c.expectedMiddle.blue(), 2) << c.color << " " << c.opacity;
  }
}

TEST_F(KeyButtonTest, DoubleClickRaisesDbclickOnlyWhenEnabled) {
  std::string layout = test::UseLayout("key_button_dbl", R"(<Window size="100,100"><VerticalLayout>
      <DeviceKeyButton name="key_3" width="40" height="40" mouse="true"/>
      <DeviceKeyButton name="light_3" width="40" height="40" mouse="false"/>
    </VerticalLayout></Window>)");
  test::CRecordingWindow window(layout);
  window.Create(nullptr, "t");
  window.show();
  auto* key = window.FindControlAs<CDeviceKeyButtonUI>("key_3");
  auto* light = window.FindControlAs<CDeviceKeyButtonUI>("light_3");
  ASSERT_NE(key, nullptr);
  ASSERT_NE(light, nullptr);
  EXPECT_TRUE(light->testAttribute(Qt::WA_TransparentForMouseEvents));
  EXPECT_FALSE(key->testAttribute(Qt::WA_TransparentForMouseEvents));
  QTest::mouseDClick(key, Qt::LeftButton, {}, QPoint(10, 10));
  ASSERT_EQ(window.Of("dbclick").size(), 1u);
  EXPECT_EQ(window.Of("dbclick")[0].sender, "key_3");
  key->SetEnabled(false);
  QTest::mouseDClick(key, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(window.Of("dbclick").size(), 1u);
}

}  // namespace
}  // namespace tarn
