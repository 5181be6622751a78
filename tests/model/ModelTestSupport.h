#pragma once

// Stand-ins for the parts other layers put into the model: a factory that
// makes small recording groupings, a context for model objects tested without
// a driver object, and a fixture over a recording driver.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/CAppObject.h"
#include "model/CModelContext.h"
#include "model/CModelFactory.h"
#include "settings/CDataGrouping.h"
#include "settings/CSettingsTest.h"

// A grouping that notes what the model asks of it.
class CPartGrouping : public CDataGrouping {
 public:
  explicit CPartGrouping(std::string what, std::vector<std::string>* journal)
      : m_what(std::move(what)), m_journal(journal) {}
  ~CPartGrouping() override { Note("delete"); }

  Status GetItem(ItemId, CDriverData*& item) override {
    item = nullptr;
    return kStatusNoItem;
  }
  Status ApplyItems() override { return kStatusOk; }
  Status DefaultItems() override {
    Note("default");
    return kStatusOk;
  }
  [[nodiscard]] const std::string& What() const { return m_what; }
  void Note(const std::string& event) {
    if (m_journal != nullptr) m_journal->push_back(m_what + ' ' + event);
  }

 private:
  std::string m_what;
  std::vector<std::string>* m_journal;
};

// Makes every part as a CPartGrouping named after its class.
class CPartFactory : public CModelFactory {
 public:
  std::unique_ptr<CDataGrouping> MakeFunctionObject(CModelContext&) override { return Make("functions"); }
  std::unique_ptr<CDataGrouping> MakeTabletControl(TabletControlClass kind) override {
    return Make(kind == TabletControlClass::kBattery ? "battery" : "joystick");
  }
  std::unique_ptr<CDataGrouping> MakeButton(ButtonClass kind) override {
    switch (kind) {
      case ButtonClass::kButton: return Make("button");
      case ButtonClass::kPressureButton: return Make("pressure");
      case ButtonClass::kRoller: return Make("roller");
      case ButtonClass::kWheel: return Make("wheel");
      case ButtonClass::kNone: break;
    }
    return nullptr;
  }
  std::unique_ptr<CDataGrouping> MakeMapping(std::uint32_t k1, std::uint32_t k2,
                                             std::uint16_t k3) override {
    return Make("mapping " + std::to_string(k1) + ',' + std::to_string(k2) + ',' + std::to_string(k3));
  }
  Status RemoveMapping(CDataGrouping& mapping) override {
    static_cast<CPartGrouping&>(mapping).Note("remove");
    return kStatusOk;
  }
  Status RewriteMapping(CDataGrouping& mapping) override {
    static_cast<CPartGrouping&>(mapping).Note("rewrite");
    return kStatusOk;
  }

  std::vector<std::string> journal;

 private:
  std::unique_ptr<CDataGrouping> Make(const std::string& what) {
    return std::make_unique<CPartGrouping>(what, &journal);
  }
};

// A context without applications, for objects tested on their own.
class CTestModelContext : public CModelContext {
 public:
  CModelFactory& GetModelFactory() override { return factory; }
  CAppObject* FindApplicationById(std::uint32_t) override { return nullptr; }

  CPartFactory factory;
};

// Installs a recording driver whose values each test lays out, so that counts
// of requests and odd driver states can be set exactly.
class CRecordingModelTest : public ::testing::Test {
 protected:
  void SetUp() override { m_driver = CRecordingDriverInterface::Install(); }
  void TearDown() override { ReleaseSettingsGlobals(); }

  CRecordingDriverInterface* m_driver = nullptr;
};
