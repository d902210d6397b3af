#include "app/startup.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/app_messages.h"
#include "app/control_classes.h"
#include "app/display_check.h"
#include "app/main_wnd.h"
#include "app/pages/virtual_devices.h"
#include "app/quit_signals.h"
#include "platform/debug_output.h"
#include "platform/message_bus.h"
#include "platform/paths.h"
#include "ui/resource_manager.h"

namespace tarn {

const std::vector<std::string>& PrivateFontPaths() {
  static const std::vector<std::string> paths = {
      "Font\\Simplified_Chinese.ttf", "Font\\Zozirivu-Regular.otf", "Font\\NotoSansThai-Regular.ttf",
      "Font\\NotoSansCJKtc-Regular.otf"};
  return paths;
}

CStartup::CStartup() = default;

CStartup::~CStartup() { Shutdown(); }

void CStartup::LoadFonts() {
  for (const std::string& path : PrivateFontPaths()) {
    auto font = std::make_unique<CPrivateFont>();
    font->LoadPrivateFont(path);  // a font that cannot be added is skipped
    m_fonts.push_back(std::move(font));
  }
}

void CStartup::UnloadFonts() {
  while (!m_fonts.empty()) m_fonts.pop_back();  // the last loaded goes first
}

int CStartup::LoadedFontCount() const {
  int count = 0;
  for (const auto& font : m_fonts) count += font->IsLoaded() ? 1 : 0;
  return count;
}

void CStartup::SetupResources() {
  CResourceManager& resources = CResourceManager::Instance();
  resources.SetResourceType(ResourceType::File);
  resources.SetResourcePath(ProgramFolder() + "skin/");
  // Without an index the layouts are still read by file name.
  resources.LoadResource("res.xml");
  RegisterControlClasses();
}

CStartup::Result CStartup::Start() {
  RegisterHookMessages();
  LoadFonts();

  uint32_t activation = CMessageRegistry::Instance().RegisterMessage(kActivationMessageName);
  DebugOutputF("软件标示：%u", activation);
  if (activation < kFirstRegisteredMessage || activation > kLastRegisteredMessage) {
    UnloadFonts();
    return Result::Failed;
  }
  AppMessages().activation = activation;

  if (!m_lock.TryAcquire("Tarn")) {
    bool told = SendActivation(1000);
    if (!told) std::fprintf(stderr, "tarn: another instance holds the lock but does not answer on the bus\n");
    UnloadFonts();
    return Result::SecondInstance;
  }
  m_bus = std::make_unique<CBusBridge>();
  if (!m_bus->Start(DefaultBusPath(), [this](uint32_t id, const BusMessage& message, int peerId) {
        if (m_pMainWnd != nullptr) m_pMainWnd->OnBusMessage(id, message, peerId);
      })) {
    DebugOutputF("message bus not started on %s", DefaultBusPath().c_str());
  }

  SetupResources();
  RegisterToolMessages();

  m_pMainWnd = std::make_unique<CMainWnd>();
  if (m_bus->Running()) m_pMainWnd->SetMessageBus(&m_bus->Server());
  m_pMainWnd->Create(nullptr, "Tarn", CWindowUI::kStyleFrameless);
  m_pMainWnd->resize(800, 572);
  m_pMainWnd->CenterWindow();
  // With device pages the window comes up when the first device scan has
  // finished; without them ("windowinit" decides) it stays shown.
  m_pMainWnd->show();
  m_pMainWnd->WatchSleep();
  return Result::Run;
}

int CStartup::Exec() { return CWindowUI::MessageLoop(); }

void CStartup::Shutdown() {
  m_pMainWnd.reset();
  CResourceManager::Instance().Release();
  if (m_bus != nullptr) m_bus->Stop();
  m_bus.reset();
  m_lock.Release();
  UnloadFonts();
}

bool SendActivation(int waitMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  CMessageBusClient client;
  // The running instance takes the lock a moment before it listens.
  while (!client.Connect(DefaultBusPath())) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  BusMessage message;
  message.name = kActivationMessageName;
  message.wParam = 0;
  message.lParam = 1;
  return client.Send(message);
}

int TarnMain(int argc, char** argv) {
  std::string reason;
  if (!DisplayAvailable(reason, true)) {
    std::fprintf(stderr, "tarn: %s\n", reason.c_str());
    return 0;
  }
  QApplication application(argc, argv);
  ReleaseDisplayProbe();
  QApplication::setApplicationName(QStringLiteral("Tarn"));
  QApplication::setQuitOnLastWindowClosed(false);
  CQuitSignals quitSignals;  // SIGINT and SIGTERM end the loop, so shutdown runs
  if (!SetUpVirtualDevices(argc, argv)) {
    std::fprintf(stderr, "tarn: %s\n", VirtualDevicesError().c_str());
    return 0;
  }
  CStartup startup;
  if (startup.Start() != CStartup::Result::Run) {
    TearDownVirtualDevices();
    return 0;
  }
  startup.Exec();
  startup.Shutdown();
  TearDownVirtualDevices();
  return 0;
}

}  // namespace tarn
