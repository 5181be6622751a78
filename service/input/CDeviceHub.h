#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "service/CDaemon.h"
#include "service/CTabletService.h"
#include "service/IDescriptorHandler.h"
#include "service/input/IDeviceSource.h"
#include "service/input/ILauncher.h"
#include "service/input/IOutputSink.h"

// tabletd --devices: the tablets a device source offers, served by the
// daemon's loop. Each becomes a tablet of the driver model (CDeviceTablet)
// for as long as it is plugged in. It is driven when its output devices can
// be made and it can be grabbed: its reports then go through a pipeline of
// its own with the settings the applet gave its tool. While it is in use its
// reports are also the tablet's live records, which watchers (the
// diagnostics) see. Whatever keeps a device from being opened or driven is
// said once on `err`, however often the device comes back.
class CDeviceHub final : public IDescriptorHandler {
 public:
  using SinkMaker = std::function<std::unique_ptr<IOutputSink>(const StDeviceDescription& device,
                                                               std::uint32_t pressureLevels, std::string& error)>;

  CDeviceHub(CDaemon& daemon, CTabletService& service, IDeviceSource& source, SinkMaker sinks,
             ILauncher& launcher, std::FILE* err);
  ~CDeviceHub() override;
  CDeviceHub(const CDeviceHub&) = delete;
  CDeviceHub& operator=(const CDeviceHub&) = delete;

  // Takes the devices plugged in now and watches for others.
  void Start();
  // Lets go of every device: outputs released, grabs ended, tablets out of use.
  void Stop();
  void OnReadable(int fd) override;

  struct StDriven {
    std::string node;
    std::string name;
    std::uint32_t tablet = 0;
    bool grabbed = false;
  };
  [[nodiscard]] std::vector<StDriven> Devices() const;

 private:
  struct StDevice;
  void Add(const std::string& node);
  void Remove(const std::string& node);
  void Read(StDevice& device);
  void Publish(StDevice& device);
  void MarkInModel(const StDevice& device);
  // Says `text` on err unless it was said before.
  void SayOnce(const std::string& text);

  CDaemon& m_daemon;
  CTabletService& m_service;
  IDeviceSource& m_source;
  SinkMaker m_sinks;
  ILauncher& m_launcher;
  std::FILE* m_err;
  bool m_started = false;
  std::vector<std::unique_ptr<StDevice>> m_devices;
  std::set<std::string> m_said;
  std::vector<StInputEvent> m_events;  // reused: a read costs no allocation once warm
};
