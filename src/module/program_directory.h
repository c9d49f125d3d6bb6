#pragma once

#include <windows.h>

#include <string>

namespace cw::module {

// The modify rights icacls grants as (M): read, write, run and delete, not the right to change
// the rights themselves.
inline constexpr ACCESS_MASK kModifyRights =
    FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;

// The program directory the command's first start makes and writes in (store/file_utilities.cpp
// finds it the same way): the product's folder in the company's under "X:\Program Files\" of
// the first drive A..Z that has one, without a trailing "\". Empty when no drive has one.
std::wstring programDirectory();

// `current` (a directory's DACL, or none) with an allow entry for BUILTIN\Users of modify rights,
// inherited by files and folders. ERROR_SUCCESS and the new list in `*updated`, which the caller
// frees with LocalFree; `*updated` stays null when `current` grants that already, so that
// registering again adds nothing.
DWORD withUsersModify(PACL current, PACL* updated);

// Registration's share of the program directory, which a standard user cannot make or write:
// each missing level made, and the machine's users (BUILTIN\Users, by its SID) granted modify
// rights on the product's folder, inherited by every file and folder made in it.
// S_OK when the directory exists afterwards, even if the rights could not be granted (a
// registration without the rights to change them: an administrator grants them by hand); the
// failure to make it otherwise. S_OK too when no drive has a Program Files directory: the
// command's first start tells the user so.
HRESULT prepareProgramDirectory();

}  // namespace cw::module
