#pragma once

// A local socket through which a later start of the program, by the same
// user, asks the running one to bring its window to the front. It lives in a
// folder only that user may enter; both ends also check that the other end
// runs as that user. The running side listens and takes requests when its
// presenter sees one waiting; the later start asks and waits a moment for
// the answer.

#include <chrono>
#include <functional>
#include <string>

class ZafRaiseChannel {
 public:
  explicit ZafRaiseChannel(std::string path) : m_path(std::move(path)) {}
  ~ZafRaiseChannel();
  ZafRaiseChannel(const ZafRaiseChannel&) = delete;
  ZafRaiseChannel& operator=(const ZafRaiseChannel&) = delete;

  // Starts listening. A socket of this user already at the path is left
  // from a run that ended without removing it (the caller holds the
  // program's lock) and is replaced; anything else there is not touched.
  [[nodiscard]] bool Listen(std::string& problem);
  // The listening descriptor, for a presenter to watch; -1 before Listen.
  [[nodiscard]] int Descriptor() const { return m_fd; }
  [[nodiscard]] const std::string& Path() const { return m_path; }

  // Takes one waiting request. A request from this user is answered after
  // `raise` ran: "raised" when it answered true. Others are hung up on.
  // False when nothing of this user's was waiting.
  bool TakeRequest(const std::function<bool()>& raise);

  enum class Answer {
    kRaised,    // the running program brought its window to the front
    kNoWindow,  // it answered, but has no window to bring forward
    kNoAnswer,  // nobody listens there, or not in time
    kRefused,   // what is there belongs to another user
  };
  // The later start's side.
  [[nodiscard]] static Answer Ask(const std::string& path, std::chrono::milliseconds wait);

 private:
  std::string m_path;
  int m_fd = -1;
};
