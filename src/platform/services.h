#pragma once

namespace cw::host {
class MapHost;
}

namespace cw::platform {
class FileSystem;
class FileSlots;
class WindowHost;
class Shell;
}  // namespace cw::platform

namespace cw {

// The services the system reaches outside itself, as interfaces: whoever loads the system (the
// in-process server, the desktop app, the session runner, a test) implements them and hands them
// in. The file numbers are the one process-wide set over that file system.
struct Services {
  platform::FileSystem& fs;
  platform::FileSlots& files;
  platform::WindowHost& windows;
  platform::Shell& shell;
  host::MapHost& hostApplication;  // the application-reference object of the running host
};

}  // namespace cw
