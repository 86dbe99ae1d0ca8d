#pragma once
// Whether the texts of a dialog fit their controls, measured with the controls' own fonts:
// a label cut by a font wider than the one the dialog was laid out for is caught here.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>

namespace test {

// A control of a dialog whose text does not fit: what the text needs (in how many lines)
// and the room the control leaves for it, in pixels.
struct nevejde_se {
  int id;
  std::wstring text;
  SIZE potreba;
  int radku;
  SIZE misto;
};

// Every static text, button, check box, radio button, group box and link of `dialog` whose
// text, drawn as the control draws it, does not fit. Controls that draw no text of their
// own (owner-drawn, icons, frames) and texts cut on purpose (ellipsis styles) are left out.
std::vector<nevejde_se> co_se_nevejde(HWND dialog);

// The same as an assertion: EXPECT_TRUE(test::texty_se_vejdou(dialog)) lists what is cut.
::testing::AssertionResult texty_se_vejdou(HWND dialog);

} // namespace test
