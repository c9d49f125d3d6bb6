#pragma once

// What the header made of host_library.idl includes for the system types it names (see
// standin_base.idl): the Windows headers' own.

#include <windows.h>
// After windows.h, which they need before them.
#include <oaidl.h>
#include <ocidl.h>
