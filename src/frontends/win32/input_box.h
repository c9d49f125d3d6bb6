#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "frontends/win32/pixel_scale.h"

namespace cw::win32 {

// The names of the input box's controls, as a driver finds them (control_names.h).
inline constexpr char kInputBoxPrompt[] = "prompt";
inline constexpr char kInputBoxEntry[] = "entry";
inline constexpr char kInputBoxOk[] = "OK";
inline constexpr char kInputBoxCancel[] = "Cancel";

// Asks for a text in a modal box over the owner, under the title: the prompt, an empty entry,
// OK and Cancel (Enter and Escape answer for them). Cancel and the close control yield "".
std::string runInputBox(std::string_view prompt, std::string_view title, const PixelScale& scale,
                        HWND owner);

}  // namespace cw::win32
