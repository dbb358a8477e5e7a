#pragma once
// The classic virtual-key codes the windows speak (Form_KeyDown(KeyCode, Shift)), and the
// shift states that come with them. One function in the widgets layer translates Qt's keys.
namespace ostrevan {

namespace Key {
enum : int {
  Backspace = 8,
  Tab = 9,
  Enter = 13,
  Esc = 27,
  Space = 32,
  PageUp = 33,
  PageDown = 34,
  End = 35,
  Home = 36,
  Left = 37,
  Up = 38,
  Right = 39,
  Down = 40,
  Insert = 45,
  Delete = 46,
  Digit0 = 48,
  A = 65,
  Numpad0 = 96,
  NumpadDecimal = 110,
  F1 = 112,
  F5 = 116,
  F6 = 117,
  F7 = 118,
  F8 = 119,
  F9 = 120,
  F10 = 121,
  F11 = 122,
  F12 = 123,
  Comma = 188,
  Period = 190,
};
}  // namespace Key

namespace KeyShift {
enum : int { Shift = 1, Ctrl = 2, Alt = 4 };
}  // namespace KeyShift

}  // namespace ostrevan
