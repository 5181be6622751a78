#pragma once

// The real resource file, a toolkit application and the Qt presenter on the
// offscreen platform; windows are read by name and shown through the window
// manager as the applet shows them.

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/BuildPaths.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/ZafObjectPersistence.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/qt/ZafQtPresenter.h"
#include "toolkit/storage/ZafStorage.h"

class QtFixture : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(m_storage.Open(BuildBinDir() + "/Tablet.znc"), kStatusOk)
        << "Tablet.znc beside the tests";
    auto presenter = std::make_unique<ZafQtPresenter>();
    m_presenter = presenter.get();
    m_application = std::make_unique<ZafApplication>(0, nullptr, std::move(presenter));
    m_persistence =
        std::make_unique<ZafObjectPersistence>(m_storage, &m_application->DataManager());
    ZafObjectPersistence::SetDefault(m_persistence.get());
  }

  void TearDown() override {
    for (auto& window : m_windows) m_application->WindowManager().Subtract(*window);
    m_windows.clear();
    ZafObjectPersistence::SetDefault(nullptr);
    m_application.reset();
    m_persistence.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Reads a window from the resource file (kept until the test ends).
  ZafWindow& Load(const std::string& name) {
    std::unique_ptr<ZafWindow> window;
    EXPECT_EQ(m_persistence->ReadWindow(name, window), kStatusOk) << name;
    if (!window) window = std::make_unique<ZafWindow>();
    m_windows.push_back(std::move(window));
    return *m_windows.back();
  }
  ZafWindow& Show(const std::string& name) {
    ZafWindow& window = Load(name);
    m_application->WindowManager().Add(window);
    return window;
  }
  template <typename T>
  T& Find(ZafWindow& window, const std::string& id) {
    T* found = window.FindAs<T>(id);
    if (found == nullptr) {
      // Every later line would use the control: stop here, loudly.
      std::fprintf(stderr, "no %s in %s\n", id.c_str(), window.StringID().c_str());
      std::abort();
    }
    return *found;
  }
  template <typename W>
  W* WidgetOf(const ZafWindowObject& object) {
    return qobject_cast<W*>(m_presenter->WidgetFor(object));
  }
  // Delivers what input posted to the toolkit.
  void Deliver() {
    QCoreApplication::processEvents();
    m_application->EventManager().ProcessPending();
  }

  ZafStorage m_storage;
  ZafQtPresenter* m_presenter = nullptr;
  std::unique_ptr<ZafApplication> m_application;
  std::unique_ptr<ZafObjectPersistence> m_persistence;
  std::vector<std::unique_ptr<ZafWindow>> m_windows;
};
