#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <csignal>
#include <filesystem>
#include <thread>

#include "service/CDaemon.h"
#include "service/CDaemonClient.h"
#include "service/CFrameCodec.h"

namespace {

namespace fs = std::filesystem;

// A daemon serving on its own thread over a real Unix socket.
class DaemonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() / ("kelvo-daemon-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    m_socket = m_dir / "s";
    Start();
  }
  void TearDown() override {
    Stop();
    fs::remove_all(m_dir);
  }
  void Start() {
    m_service = std::make_unique<CTabletService>(MakeDefaultProfile(), m_dir / "state.json");
    m_daemon = std::make_unique<CDaemon>(*m_service, m_socket);
    std::string error;
    ASSERT_TRUE(m_daemon->Listen(error)) << error;
    m_stop = 0;
    m_thread = std::thread([this] { m_daemon->Run(m_stop); });
  }
  void Stop() {
    m_stop = 1;
    if (m_thread.joinable()) m_thread.join();
    m_daemon.reset();
    m_service.reset();
  }

  static std::uint32_t Request(CDaemonClient& client, std::uint32_t command, std::vector<StObjectKey> keys,
                               std::vector<std::uint8_t>& data) {
    keys.push_back({});
    StDriverPacket packet;
    (void)packet.Make(static_cast<std::uint32_t>(data.size()), data.empty() ? nullptr : data.data());
    (void)packet.FillRequest(command, keys.data(), 0, nullptr, 1);
    packet.dataLength = static_cast<std::uint32_t>(data.size());
    const std::uint32_t status = client.Exchange(packet);
    data.resize(packet.dataLength);
    return status;
  }
  static int RawConnect(const fs::path& socket) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket.c_str(), sizeof(address.sun_path) - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    return fd;
  }
  static std::size_t OpenDescriptors() {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
  }

  fs::path m_dir;
  fs::path m_socket;
  std::unique_ptr<CTabletService> m_service;
  std::unique_ptr<CDaemon> m_daemon;
  volatile std::sig_atomic_t m_stop = 0;
  std::thread m_thread;
};

const std::vector<StObjectKey> kSwitch{{0, 2, 0}, {0, 4, 0}, {0, 11, 2}, {0, 41, 0}};

TEST_F(DaemonTest, SocketIsPrivateAndSeveralClientsShareOneModel) {
  EXPECT_EQ(fs::status(m_socket).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  CDaemonClient first(m_socket);
  CDaemonClient second(m_socket);
  std::vector<std::uint8_t> value{9, 0, 0, 0};
  ASSERT_EQ(Request(first, 2, kSwitch, value), kStatusOk);
  std::vector<std::uint8_t> read(4, 0);
  ASSERT_EQ(Request(second, 1, kSwitch, read), kStatusOk);
  EXPECT_EQ(read, (std::vector<std::uint8_t>{9, 0, 0, 0}));
}

TEST_F(DaemonTest, BadFramesCloseThatClientOnly) {
  CDaemonClient good(m_socket);
  std::vector<std::uint8_t> read(4, 0);
  ASSERT_EQ(Request(good, 1, kSwitch, read), kStatusOk);

  const std::vector<std::vector<std::uint8_t>> bad{
      {0xFF, 0xFF, 0xFF, 0x7F},                     // longer than any frame
      {10, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, // too short for a packet
  };
  for (const auto& frame : bad) {
    const int fd = RawConnect(m_socket);
    ASSERT_EQ(::send(fd, frame.data(), frame.size(), MSG_NOSIGNAL), static_cast<ssize_t>(frame.size()));
    char byte = 0;
    EXPECT_EQ(::recv(fd, &byte, 1, 0), 0);  // the daemon hung up on it
    ::close(fd);
  }
  // A client that vanishes halfway through a frame leaves the rest served.
  const int half = RawConnect(m_socket);
  const std::uint8_t partial[] = {200, 0, 0, 0, 'Q'};
  ASSERT_EQ(::send(half, partial, sizeof(partial), MSG_NOSIGNAL), 5);
  ::close(half);
  ASSERT_EQ(Request(good, 1, kSwitch, read), kStatusOk);
  EXPECT_EQ(read[0], 3);
}

TEST_F(DaemonTest, UnreachableDaemonFailsFastWithNoDriver) {
  CDaemonClient nowhere(m_dir / "missing");
  std::vector<std::uint8_t> read(4, 0);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Request(nowhere, 1, kSwitch, read), kStatusNoDriverInterface);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST_F(DaemonTest, RestartKeepsTheValuesClientsSet) {
  {
    CDaemonClient client(m_socket);
    std::vector<std::uint8_t> value{7, 0, 0, 0};
    ASSERT_EQ(Request(client, 2, kSwitch, value), kStatusOk);
  }
  Stop();
  EXPECT_FALSE(fs::exists(m_socket));
  Start();
  CDaemonClient client(m_socket);
  std::vector<std::uint8_t> read(4, 0);
  ASSERT_EQ(Request(client, 1, kSwitch, read), kStatusOk);
  EXPECT_EQ(read[0], 7);
}

TEST_F(DaemonTest, ThousandsOfConnectsLeakNoDescriptor) {
  {
    CDaemonClient warm(m_socket);
    std::vector<std::uint8_t> read(4, 0);
    ASSERT_EQ(Request(warm, 1, kSwitch, read), kStatusOk);
  }
  const std::size_t before = OpenDescriptors();
  for (int i = 0; i < 3000; ++i) {
    CDaemonClient client(m_socket);
    std::vector<std::uint8_t> read(4, 0);
    ASSERT_EQ(Request(client, 1, kSwitch, read), kStatusOk);
  }
  // The daemon closes its ends as it notices the hang-ups.
  for (int wait = 0; wait < 200 && OpenDescriptors() > before; ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_LE(OpenDescriptors(), before);
}

}  // namespace
