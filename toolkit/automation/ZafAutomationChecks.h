#pragma once

// The "expect" lines of automation scripts: each compares what the toolkit
// holds with the expected value and, when that agrees, asks the presenter's
// driver whether the screen shows the same.

#include <string>
#include <vector>

class ZafAutomation;
class ZafWindowObject;
enum class ZafCheck;

class ZafAutomationChecks {
 public:
  explicit ZafAutomationChecks(ZafAutomation& automation) : m_automation(automation) {}

  // words: the line, "expect" first. Answers what failed, empty when it passed.
  [[nodiscard]] std::string Expect(const std::vector<std::string>& words);

 private:
  [[nodiscard]] std::string Compare(ZafWindowObject& control, ZafCheck check, const std::string& prefix,
                                    const std::string& got, const std::string& expected);
  [[nodiscard]] std::string ExpectYesNo(ZafWindowObject& control, const std::string& what, const std::string& prefix,
                                        const std::string& word);

  ZafAutomation& m_automation;
};
