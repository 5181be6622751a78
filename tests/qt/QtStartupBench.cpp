// Start-up of the main window under Qt's offscreen platform: from process
// start to the first painted main window (QApplication, resource file,
// window read, widgets built, painted), then the same for windows opened
// again in the running process, and the peak memory.
//
//   qt_startup_bench [--runs N]

#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "support/BuildPaths.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/ZafObjectPersistence.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/qt/ZafQtPresenter.h"
#include "toolkit/qt/ZafQtStartup.h"
#include "toolkit/storage/ZafStorage.h"

#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// Opens the main window through a fresh toolkit application and paints it;
// answers false when something could not be read.
bool OpenAndPaint(const ZafStorage& storage) {
  auto presenter = std::make_unique<ZafQtPresenter>(ZafQtShow::kOffscreen);
  ZafQtPresenter& qt = *presenter;
  ZafApplication application(0, nullptr, std::move(presenter));
  ZafObjectPersistence persistence(storage, &application.DataManager());
  ZafObjectPersistence::SetDefault(&persistence);
  std::unique_ptr<ZafWindow> main;
  if (persistence.ReadWindow("ConsumerCPLMainWindow", main) != kStatusOk) return false;
  application.WindowManager().Add(*main);
  QWidget* widget = qt.WidgetFor(*main);
  const QPixmap painted = widget != nullptr ? widget->grab() : QPixmap();
  application.WindowManager().Subtract(*main);
  ZafObjectPersistence::SetDefault(nullptr);
  return !painted.isNull();
}

}  // namespace

int main(int argc, char** argv) {
  const Clock::time_point start = Clock::now();
  int runs = 20;
  if (argc == 3 && std::strcmp(argv[1], "--runs") == 0) runs = std::max(0, std::atoi(argv[2]));
  if (!ZafQtStartup::EnsureApplication(true)) return 2;
  ZafStorage storage;
  if (storage.Open(BuildBinDir() + "/Tablet.znc") != kStatusOk) {
    std::fprintf(stderr, "qt_startup_bench: no Tablet.znc beside the program\n");
    return 2;
  }
  if (!OpenAndPaint(storage)) return 1;
  const double first = Ms(start, Clock::now());

  std::vector<double> again;
  for (int i = 0; i < runs; ++i) {
    const Clock::time_point t = Clock::now();
    if (!OpenAndPaint(storage)) return 1;
    again.push_back(Ms(t, Clock::now()));
  }
  std::sort(again.begin(), again.end());
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("first painted main window: %.1f ms after start\n", first);
  if (!again.empty()) {
    std::printf("main window again: median %.1f ms, min %.1f ms, max %.1f ms over %d runs\n",
                again[again.size() / 2], again.front(), again.back(), runs);
  }
  std::printf("peak memory: %.1f MiB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
  return 0;
}
