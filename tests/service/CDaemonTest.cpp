#include <poll.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "service/CDaemon.h"
#include "service/ServiceTestSupport.h"
#include "support/CServedDaemon.h"
#include "support/CTempDir.h"

#include <sys/socket.h>
#include <sys/un.h>

namespace {

namespace fs = std::filesystem;
using namespace service_test;

const std::vector<StObjectKey> kSwitch = Button(0, 2);

// A Unix socket bound to `path`, or connected to it.
int Socket(const fs::path& path, bool bind) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const auto* where = reinterpret_cast<const sockaddr*>(&address);
  EXPECT_EQ(bind ? ::bind(fd, where, sizeof(address)) : ::connect(fd, where, sizeof(address)), 0)
      << path;
  return fd;
}

// Whether the daemon hung up on `fd` within `ms`, reading whatever it sent first.
bool ClosedWithin(int fd, int ms) {
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

// A daemon serving on its own thread over a real Unix socket.
class DaemonTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(); }
  void TearDown() override { Stop(); }
  void Start() {
    m_service = std::make_unique<CTabletService>(MakeDefaultProfile(), Dir() / "state.json");
    m_daemon = std::make_unique<CServedDaemon>(*m_service, m_socket, m_limits);
    ASSERT_EQ(m_daemon->Error(), "");
  }
  void Stop() {
    m_daemon.reset();
    m_service.reset();
  }
  void Restart(const StDaemonLimits& limits) {
    Stop();
    m_limits = limits;
    Start();
  }
  fs::path Dir() const { return m_temp.Path(); }

  CTempDir m_temp;
  fs::path m_socket = Dir() / "s";
  StDaemonLimits m_limits;
  std::unique_ptr<CTabletService> m_service;
  std::unique_ptr<CServedDaemon> m_daemon;
};

TEST_F(DaemonTest, BadFramesCloseThatClientOnly) {
  CDaemonClient good(m_socket);
  ASSERT_EQ(GetU32(good, kSwitch), 3u);
  const std::vector<std::vector<std::uint8_t>> bad{
      {0xFF, 0xFF, 0xFF, 0x7F},                      // longer than any frame
      {10, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10},  // too short for a packet
  };
  for (const auto& frame : bad) {
    const int fd = Socket(m_socket, false);
    ASSERT_EQ(::send(fd, frame.data(), frame.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(frame.size()));
    char byte = 0;
    EXPECT_EQ(::recv(fd, &byte, 1, 0), 0);  // the daemon hung up on it
    ::close(fd);
  }
  EXPECT_EQ(GetU32(good, kSwitch), 3u);
}

TEST_F(DaemonTest, UnreachableDaemonFailsFastWithNoDriver) {
  CDaemonClient nowhere(Dir() / "missing");
  std::vector<std::uint8_t> read(4, 0);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Request(nowhere, kCommandGet, kSwitch, read), kStatusNoDriverInterface);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST_F(DaemonTest, ThousandsOfConnectsLeakNoDescriptor) {
  const auto open = [] {
    return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
  };
  {
    CDaemonClient warm(m_socket);
    ASSERT_EQ(GetU32(warm, kSwitch), 3u);
  }
  const auto before = open();
  for (int i = 0; i < 3000; ++i) {
    CDaemonClient client(m_socket);
    ASSERT_EQ(GetU32(client, kSwitch), 3u);
  }
  // The daemon closes its ends as it notices the hang-ups.
  for (int wait = 0; wait < 200 && open() > before; ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_LE(open(), before);
}

TEST_F(DaemonTest, TheSocketIsPrivateAndAFileInItsPlaceIsLeftAlone) {
  EXPECT_EQ(fs::status(m_socket).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_FALSE(fs::exists(fs::path(m_socket) += ".new"));  // bound there, moved once listening
  const fs::path file = Dir() / "notes";
  std::ofstream(file) << "mine";
  CDaemon other(*m_service, file);
  std::string error;
  EXPECT_FALSE(other.Listen(error));
  EXPECT_NE(error.find("not a socket"), std::string::npos) << error;
  EXPECT_EQ(ReadText(file), "mine");
}

TEST_F(DaemonTest, IdleAndHalfSentClientsTimeOutAndAFullDaemonSaysBusy) {
  Restart({.maxClients = 3,
           .idle = std::chrono::milliseconds(400),
           .frameTime = std::chrono::milliseconds(150)});
  std::vector<int> idle;
  for (int i = 0; i < 3; ++i) idle.push_back(Socket(m_socket, false));
  CDaemonClient late(m_socket);
  std::vector<std::uint8_t> read(4, 0);
  EXPECT_EQ(Request(late, kCommandGet, kSwitch, read), kStatusServiceBusy);
  for (const int fd : idle) {
    EXPECT_TRUE(ClosedWithin(fd, 2000));
    ::close(fd);
  }
  EXPECT_EQ(GetU32(late, kSwitch), 3u);
  late.Disconnect();

  const int half = Socket(m_socket, false);
  const std::uint8_t partial[] = {200, 0, 0, 0, 'Q'};
  ASSERT_EQ(::send(half, partial, sizeof(partial), MSG_NOSIGNAL), 5);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(ClosedWithin(half, 2000));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(380))
      << "before the idle limit";
  ::close(half);
}

TEST_F(DaemonTest, AWatcherThatNeverReadsIsCutOff) {
  Restart({.maxBacklog = 32 * 1024});
  const int watcher = Socket(m_socket, false);
  const std::uint8_t subscribe[] = {0, 0, 0, 0};
  ASSERT_EQ(::send(watcher, subscribe, sizeof(subscribe), MSG_NOSIGNAL), 4);
  CDaemonClient busy(m_socket);
  ASSERT_EQ(GetU32(busy, kSwitch), 3u);  // the subscription is in before the flood
  for (int i = 0; i < 6000; ++i) ASSERT_EQ(GetU32(busy, kSwitch), 3u);
  EXPECT_TRUE(ClosedWithin(watcher, 2000));
  ::close(watcher);
}

TEST_F(DaemonTest, AChangeIsNeverSentTwice) {
  // A daemon that takes requests and never answers, as a stopped one does.
  const fs::path fake = Dir() / "fake";
  const int listener = Socket(fake, true);
  ASSERT_EQ(::listen(listener, 8), 0);
  std::atomic<int> frames{0};
  std::atomic<bool> done{false};
  std::thread server([&] {
    std::vector<int> open;
    while (!done) {
      pollfd wait{listener, POLLIN, 0};
      if (::poll(&wait, 1, 20) == 1) open.push_back(::accept(listener, nullptr, nullptr));
      std::uint8_t chunk[4096];
      for (const int fd : open)
        frames += ::recv(fd, chunk, sizeof(chunk), MSG_DONTWAIT) > 0 ? 1 : 0;
    }
    for (const int fd : open) ::close(fd);
  });
  CDaemonClient client(fake, 300);
  EXPECT_EQ(SetU32(client, kSwitch, 5), kStatusNoReply);
  std::vector<std::uint8_t> none;
  EXPECT_EQ(Request(client, kCommandCreate, {L(18), L(142)}, none), kStatusNoReply);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  done = true;
  server.join();
  ::close(listener);
  EXPECT_EQ(frames, 2);
}

// Whose folder the socket is in: StateStoreTest and TabletctlTest.
TEST_F(DaemonTest, ASocketServedByAnotherUserIsRefused) {
  const auto other = OtherUser();
  if (!other) GTEST_SKIP() << "a second user is needed (the tests run as root in CI)";
  // A server of another user in a folder and socket file of this one.
  const fs::path theirs = Dir() / "theirs";
  const int listener = Socket(theirs, true);
  int listening[2];
  ASSERT_EQ(::pipe(listening), 0);
  const pid_t server = ::fork();
  if (server == 0) {
    if (::setgid(other->gid) != 0 || ::setuid(other->uid) != 0 || ::listen(listener, 4) != 0)
      ::_exit(1);
    if (::write(listening[1], "l", 1) != 1) ::_exit(1);
    pollfd wait{listener, POLLIN, 0};
    if (::poll(&wait, 1, 5000) == 1) ::close(::accept(listener, nullptr, nullptr));
    ::_exit(0);
  }
  char byte = 0;
  ASSERT_EQ(::read(listening[0], &byte, 1), 1);
  CDaemonClient fooled(theirs);
  EXPECT_EQ(GetU32(fooled, kSwitch), std::nullopt);
  EXPECT_NE(fooled.Refusal().find("served by user"), std::string::npos) << fooled.Refusal();
  int status = 0;
  ::waitpid(server, &status, 0);
  for (const int fd : {listener, listening[0], listening[1]}) ::close(fd);
}

// Each sees the other's changes at its next look; what outlives kills: StateSoakTest.
TEST_F(DaemonTest, TheDaemonAndAnEmbeddedServiceShareTheState) {
  CTabletService embedded(MakeDefaultProfile(), Dir() / "state.json");
  CDaemonClient client(m_socket);
  ASSERT_EQ(SetU32(client, Button(0, 1), 5), kStatusOk);
  ASSERT_EQ(SetU32(embedded, Button(1, 1), 6), kStatusOk);
  const auto start = std::chrono::steady_clock::now();
  while ((GetU32(embedded, Button(0, 1)) != 5u || GetU32(client, Button(1, 1)) != 6u) &&
         std::chrono::steady_clock::now() - start < std::chrono::seconds(3))
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
  Stop();
  EXPECT_FALSE(fs::exists(m_socket));
}

}  // namespace
