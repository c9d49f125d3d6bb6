#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

// Finding the system's shown windows and their controls by name, and acting on them as a user
// would, through window messages alone: what a driver in the same process (a test, the stand-in
// host playing a script) needs, whichever module made the windows. Each action returns false
// when the control is not of a kind that takes it.
namespace cw::win32 {

// The client of a shown system window of that name ("frmMain") in this process: inside a
// modal dialog or a visible host frame; nullptr when none is shown.
HWND findShownWindow(std::string_view windowName);
// The top-level window (modal dialog, host frame) around a system window's client.
HWND topLevelOf(HWND form);
// A control of the window by its name; a directory list is its panel. nullptr when unknown.
HWND findControl(HWND form, std::string_view controlName);
// The shown input box of this process; nullptr when none.
HWND findInputBox();

// A control's text (caption, text box's text), its tooltip, and a list's entries and selection
// (-1 for none) as the platform control shows them, brought up to the model first.
std::string controlText(HWND control);
std::string tooltipOf(HWND control);
std::vector<std::string> listEntries(HWND control);
int listSelection(HWND control);

// A click on a button, check box, label, link label or picture.
bool press(HWND control);
// Picks an entry (by its index in the model) of a list box, file list or drive list; a
// directory list enters it.
bool choose(HWND control, int index);
// A double click on an entry of a list box or file list (picking it first).
bool doubleClick(HWND control, int index);
// Replaces a text box's text as typing would.
bool typeText(HWND control, std::string_view text);
// The close control of a top-level window (modal dialog, host frame, input box).
void closeWindow(HWND topLevel);
// Answers the input box: its entry set to the text, then OK (or Cancel).
bool answerInputBox(HWND box, std::string_view text, bool ok = true);

}  // namespace cw::win32
