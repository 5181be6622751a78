#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <atomic>
#include <cstring>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "service/CDaemon.h"
#include "service/CDaemonClient.h"
#include "service/CFrameCodec.h"
#include "service/ServiceTestSupport.h"

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
    m_daemon = std::make_unique<CDaemon>(*m_service, m_socket, m_limits);
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

  // Whether the daemon hung up on `fd` within `ms`, reading whatever it sent first.
  static bool ClosedWithin(int fd, int ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    char chunk[4096];
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd wait{fd, POLLIN, 0};
      if (::poll(&wait, 1, 50) != 1) continue;
      const ssize_t n = ::recv(fd, chunk, sizeof(chunk), MSG_DONTWAIT);
      if (n == 0 || (n < 0 && errno != EAGAIN)) return true;
    }
    return false;
  }

  fs::path m_dir;
  fs::path m_socket;
  StDaemonLimits m_limits;
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

TEST_F(DaemonTest, AFileInTheSocketsPlaceIsLeftAlone) {
  const fs::path file = m_dir / "notes";
  std::ofstream(file) << "mine";
  CDaemon other(*m_service, file);
  std::string error;
  EXPECT_FALSE(other.Listen(error));
  EXPECT_NE(error.find("not a socket"), std::string::npos) << error;
  std::ifstream in(file);
  std::string text;
  in >> text;
  EXPECT_EQ(text, "mine");
}

TEST_F(DaemonTest, IdleAndHalfSentClientsTimeOutAndAFullDaemonSaysBusy) {
  Stop();
  m_limits = {.maxClients = 3, .idle = std::chrono::milliseconds(400), .frameTime = std::chrono::milliseconds(150)};
  Start();
  std::vector<int> idle;
  for (int i = 0; i < 3; ++i) idle.push_back(RawConnect(m_socket));
  CDaemonClient late(m_socket);
  std::vector<std::uint8_t> read(4, 0);
  EXPECT_EQ(Request(late, 1, kSwitch, read), kStatusServiceBusy);
  for (const int fd : idle) {
    EXPECT_TRUE(ClosedWithin(fd, 2000));
    ::close(fd);
  }
  read.assign(4, 0);
  EXPECT_EQ(Request(late, 1, kSwitch, read), kStatusOk);
  late.Disconnect();

  const int half = RawConnect(m_socket);
  const std::uint8_t partial[] = {200, 0, 0, 0, 'Q'};
  ASSERT_EQ(::send(half, partial, sizeof(partial), MSG_NOSIGNAL), 5);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(ClosedWithin(half, 2000));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(380)) << "before the idle limit";
  ::close(half);
}

TEST_F(DaemonTest, AWatcherThatNeverReadsIsCutOff) {
  Stop();
  m_limits.maxBacklog = 32 * 1024;
  Start();
  const int watcher = RawConnect(m_socket);
  const std::uint8_t subscribe[] = {0, 0, 0, 0};
  ASSERT_EQ(::send(watcher, subscribe, sizeof(subscribe), MSG_NOSIGNAL), 4);
  CDaemonClient busy(m_socket);
  std::vector<std::uint8_t> read(4, 0);
  ASSERT_EQ(Request(busy, 1, kSwitch, read), kStatusOk);  // the subscription is in before the flood
  for (int i = 0; i < 6000; ++i) {
    read.assign(4, 0);
    ASSERT_EQ(Request(busy, 1, kSwitch, read), kStatusOk);
  }
  EXPECT_TRUE(ClosedWithin(watcher, 2000));
  ::close(watcher);
}

TEST_F(DaemonTest, AChangeIsNeverSentTwice) {
  // A daemon that takes requests and never answers, as a stopped one does.
  const fs::path fake = m_dir / "fake";
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, fake.c_str(), sizeof(address.sun_path) - 1);
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  ASSERT_EQ(::listen(listener, 8), 0);
  std::atomic<int> frames{0};
  std::atomic<bool> done{false};
  std::thread server([&] {
    std::vector<int> open;
    while (!done) {
      pollfd wait{listener, POLLIN, 0};
      if (::poll(&wait, 1, 20) == 1) open.push_back(::accept(listener, nullptr, nullptr));
      for (const int fd : open) {
        std::uint8_t chunk[4096];
        const ssize_t n = ::recv(fd, chunk, sizeof(chunk), MSG_DONTWAIT);
        if (n > 0) ++frames;
      }
    }
    for (const int fd : open) ::close(fd);
  });
  CDaemonClient client(fake, 300);
  std::vector<std::uint8_t> value{5, 0, 0, 0};
  EXPECT_EQ(Request(client, 2, kSwitch, value), kStatusNoReply);
  std::vector<std::uint8_t> none;
  EXPECT_EQ(Request(client, 3, {{0, 18, 0}, {0, 142, 0}}, none), kStatusNoReply);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  done = true;
  server.join();
  ::close(listener);
  EXPECT_EQ(frames, 2);
}

TEST_F(DaemonTest, SocketsOthersCouldHaveMadeAreRefused) {
  CDaemonClient client(m_socket);
  std::vector<std::uint8_t> read(4, 0);
  ::chmod(m_dir.c_str(), 0777);
  EXPECT_EQ(Request(client, 1, kSwitch, read), kStatusNoDriverInterface);
  EXPECT_NE(client.Refusal().find("other users may change it"), std::string::npos) << client.Refusal();
  ::chmod(m_dir.c_str(), 0755);
  read.assign(4, 0);
  EXPECT_EQ(Request(client, 1, kSwitch, read), kStatusOk);
  client.Disconnect();

  const auto other = service_test::OtherUser();
  if (!other) GTEST_SKIP() << "a second user is needed for the rest (the tests run as root in CI)";
  ASSERT_EQ(::chown(m_dir.c_str(), other->uid, other->gid), 0);
  read.assign(4, 0);
  EXPECT_EQ(Request(client, 1, kSwitch, read), kStatusNoDriverInterface);
  EXPECT_NE(client.Refusal().find("belongs to user"), std::string::npos) << client.Refusal();
  ASSERT_EQ(::chown(m_dir.c_str(), 0, 0), 0);

  // A server of another user in a folder and socket file of this one.
  const fs::path theirs = m_dir / "theirs";
  const pid_t server = ::fork();
  if (server == 0) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, theirs.c_str(), sizeof(address.sun_path) - 1);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) ::_exit(1);
    if (::setgid(other->gid) != 0 || ::setuid(other->uid) != 0 || ::listen(listener, 4) != 0) ::_exit(1);
    pollfd wait{listener, POLLIN, 0};
    if (::poll(&wait, 1, 5000) == 1) ::close(::accept(listener, nullptr, nullptr));
    ::_exit(0);
  }
  for (int i = 0; i < 200 && !fs::exists(theirs); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  CDaemonClient fooled(theirs);
  read.assign(4, 0);
  EXPECT_EQ(Request(fooled, 1, kSwitch, read), kStatusNoDriverInterface);
  EXPECT_NE(fooled.Refusal().find("served by user"), std::string::npos) << fooled.Refusal();
  int status = 0;
  ::waitpid(server, &status, 0);
}

TEST_F(DaemonTest, TheDaemonAndAnEmbeddedServiceShareTheState) {
  using service_test::Button;
  CTabletService embedded(MakeDefaultProfile(), m_dir / "state.json");
  CDaemonClient client(m_socket);
  ASSERT_EQ(service_test::SetU32(client, Button(0, 1), 5), kStatusOk);
  ASSERT_EQ(service_test::SetU32(embedded, Button(1, 1), 6), kStatusOk);
  ASSERT_EQ(service_test::SetU32(client, Button(0, 2), 7), kStatusOk);
  const auto start = std::chrono::steady_clock::now();
  while ((service_test::GetU32(embedded, Button(0, 2)) != 7u || service_test::GetU32(client, Button(1, 1)) != 6u) &&
         std::chrono::steady_clock::now() - start < std::chrono::seconds(3))
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
  EXPECT_EQ(service_test::GetU32(embedded, Button(0, 1)), 5u);
  Stop();
  CTabletService fresh(MakeDefaultProfile(), m_dir / "state.json");
  EXPECT_EQ(service_test::GetU32(fresh, Button(0, 1)), 5u);
  EXPECT_EQ(service_test::GetU32(fresh, Button(1, 1)), 6u);
  EXPECT_EQ(service_test::GetU32(fresh, Button(0, 2)), 7u);
}

}  // namespace
