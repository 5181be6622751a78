#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "service/CServiceNode.h"
#include "service/StProfile.h"

// What a programmable control does when it leaves the factory: a function
// code with its modifier mask, keystroke words and name.
struct StFunctionDefault {
  std::uint32_t function = 0;
  std::uint16_t modifiers = 0;
  std::vector<std::uint32_t> keys;
  std::string name;

  // A function that carries no data of its own.
  [[nodiscard]] static StFunctionDefault Plain(std::uint32_t code) { return {code, 0, {}, {}}; }
};

// Adds the controls of tools and tablets to the driver model: buttons with
// their function blocks, pressure values by tablet family, wheels, rollers,
// the joystick and the battery, and the feel values a tool keeps (double
// click, eraser).
class CControlBuilder {
 public:
  static void AddToolControls(CServiceNode& tool, const StToolProfile& profile,
                              const StTabletProfile& tablet);
  // The pressure axis, the values kept per tool identity, the values all
  // function areas share, the battery and the joystick.
  static void AddTabletControls(CServiceNode& tablet, const StTabletProfile& profile);

  // Function code, modifier mask, keystroke, application path and name.
  static void AddFunctionBlock(CServiceNode& node, const StFunctionDefault& function);
  // A function with a parameter, a keystroke and its name per direction, and
  // the modifier mask (wheels and touch strips).
  static void AddDirectionalFunction(CServiceNode& node, std::uint32_t function,
                                     std::uint16_t parameter,
                                     const std::vector<std::uint32_t>& keysUp,
                                     const std::vector<std::uint32_t>& keysDown);

  // A keystroke word: modifiers, the character and the key code.
  [[nodiscard]] static std::uint32_t Keystroke(std::uint16_t modifiers, char character,
                                               std::uint8_t keyCode);
  // A word list value (256 bytes) holding `words`, its factory value the same.
  [[nodiscard]] static CServiceValue WordList(const std::vector<std::uint32_t>& words);
  // A function name: one character per word, in the word's fourth byte.
  [[nodiscard]] static std::vector<std::uint32_t> NameWords(const std::string& name);

 private:
  static void AddButton(CServiceNode& owner, std::uint32_t number,
                        const StFunctionDefault& function);
  static void AddPressureButton(CServiceNode& tool, std::uint32_t number,
                                const StFunctionDefault& function, const StToolProfile& profile,
                                const StTabletProfile& tablet);
};
