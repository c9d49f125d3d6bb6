// corbelwick-host: a small Win32 map application standing in for the GIS host. It serves the
// stand-in document (a JSON document, or the sample town) through the host's own COM
// interfaces, makes the command through COM by its class id as the host does (the module must
// have been registered with regsvr32), hands it the application in OnCreate and clicks it from
// its toolbar button.
//
//   corbelwick-host [SCRIPT|--demo] [--host DOC.json] [--drive X=DIR]... [--cwd WINPATH]
//                   [--click]
//
// The module's file system works on the drives given here (handed on in its environment).
// --click presses the button once the window is up, answers every message box with its default
// button, prints each box's text and every call that reached the document, and closes.
// With a session script (docs/session-scripts.md) it plays the script through the module's real
// windows and prints the transcript corbelwick-session prints for it.

#include <windows.h>
// After windows.h, which they need before them.
#include <fcntl.h>
#include <io.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/failure.h"
#include "command/corbelwick_bookmarks.h"
#include "frontends/headless/demo_script.h"
#include "frontends/headless/session_script.h"
#include "host_library.h"  // the host's interfaces as the stand-in declares them
#include "host_window.h"
#include "hosts/com/environment_drives.h"
#include "hosts/comhost/com_host.h"
#include "hosts/standin/standin.h"
#include "message_box_reply.h"
#include "platform/win32/wide_text.h"
#include "script_session.h"
#include "shared/program_io.h"

namespace {

using cw::platform::win32::fromWide;
using cw::platform::win32::toWide;

constexpr int kUsage = 2;
constexpr int kNotRegistered = 3;
constexpr int kCommandFailed = 4;

int usage() {
  std::cerr << "usage: corbelwick-host [SCRIPT|--demo] [--host DOC.json] [--drive X=DIR]... "
               "[--cwd WINPATH] [--click]\n";
  return kUsage;
}

std::string hresultText(HRESULT result) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
  return text;
}

// Tells the person (and the test reading stderr) what went wrong.
void complain(const std::string& text, bool interactive) {
  std::cerr << "corbelwick-host: " << text << "\n";
  if (interactive) {
    ::MessageBoxW(nullptr, toWide(text).c_str(), L"Corbelwick Host", MB_OK | MB_ICONERROR);
  }
}

struct Options {
  std::string hostPath;
  std::vector<std::string> drives;
  std::optional<std::string> currentDirectory;
  bool click = false;
  std::string scriptPath;
  bool demo = false;
  bool scripted() const { return demo || !scriptPath.empty(); }
};

// The drives and directory handed on to the module, which reads them when it first starts.
void handOnDrives(const Options& options) {
  std::string drives;
  for (const std::string& drive : options.drives) drives += (drives.empty() ? "" : "|") + drive;
  if (!drives.empty()) {
    ::SetEnvironmentVariableW(toWide(cw::com::kDrivesVariable).c_str(), toWide(drives).c_str());
  }
  if (options.currentDirectory) {
    ::SetEnvironmentVariableW(toWide(cw::com::kCurrentDirectoryVariable).c_str(),
                              toWide(*options.currentDirectory).c_str());
  }
}

// A link the module hands the host, opened as the shell opens it.
void openLink(HWND owner, const std::wstring& link) {
  ::ShellExecuteW(owner, L"open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The command as the host makes it: through COM by its class id, from the registry.
HRESULT createCommand(::ICommand** command) {
  CLSID classId{};
  const std::wstring spelt = toWide(cw::com_identity::kClassId);
  HRESULT result = ::CLSIDFromString(spelt.c_str(), &classId);
  if (FAILED(result)) return result;
  return ::CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, __uuidof(::ICommand),
                            reinterpret_cast<void**>(command));
}

std::wstring captionOf(::ICommand& command) {
  BSTR caption = nullptr;
  std::wstring text = L"Command";  // a command that tells no caption
  if (SUCCEEDED(command.get_Caption(&caption)) && caption) {
    text.assign(caption, ::SysStringLen(caption));
  }
  ::SysFreeString(caption);
  return text;
}

// Plays the script through the module's windows in the host's window; 2 for a script mistake.
int runScript(const Options& options, cw::standin::Application& application,
              cw::comhost::ComHost& host) {
  const std::string script = options.demo ? std::string(cw::headless::kDemoScript)
                                          : cw::programs::readFile(options.scriptPath);
  // The transcript as corbelwick-session writes it: LF line ends.
  ::_setmode(::_fileno(stdout), _O_BINARY);
  int status = 0;
  {
    ScriptSession session(
        application, host.application(),
        [] {
          ::ICommand* command = nullptr;
          return SUCCEEDED(createCommand(&command)) ? command : nullptr;
        },
        std::cout);
    ModuleNotices notices;
    notices.pointer = [&session](bool waiting) { session.pointerChanged(waiting); };
    notices.link = [&session](const std::wstring& link) { session.linkOpened(link); };
    HostWindow window(
        L"Corbelwick Bookmarks", [] {}, application.document(), notices);
    host.setMainWindow(window.window());
    try {
      session.start(script, window.window());
    } catch (const cw::headless::ScriptError& error) {
      std::cerr << "corbelwick-host: " << error.message << "\n";
      status = kUsage;
    }
    if (status == 0) {
      ::ShowWindow(window.window(), SW_SHOWNORMAL);
      window.run();
    }
    host.setMainWindow(nullptr);
    session.releaseCommands();
  }
  std::cout.flush();
  return status;
}

int runHost(const Options& options) {
  auto document = options.hostPath.empty()
                      ? cw::standin::sampleDocument()
                      : cw::standin::loadDocument(cw::programs::readFile(options.hostPath));
  handOnDrives(options);
  // The host's objects live as long as the process unless every reference to them came back:
  // the module keeps the application it reached while it stays loaded.
  auto* application = new cw::standin::Application(std::move(document));
  auto* host = new cw::comhost::ComHost(*application);
  if (FAILED(host->registered())) {
    complain("cannot serve the host's classes: " + hresultText(host->registered()), !options.click);
    return kCommandFailed;
  }

  if (options.scripted()) {
    const int status = runScript(options, *application, *host);
    host->stopServing();
    ::CoUninitialize();
    if (host->referencesHeld() == 0) {
      delete host;
      delete application;
    }
    return status;
  }

  ::ICommand* command = nullptr;
  const HRESULT created = createCommand(&command);
  if (created == REGDB_E_CLASSNOTREG) {
    complain(std::string("the command ") + cw::com_identity::kTypeLibraryName + "." +
                 cw::com_identity::kClassName + " " + cw::com_identity::kClassId +
                 " is not registered: register CorbelwickBookmarks.dll with "
                 "\"regsvr32 CorbelwickBookmarks.dll\" first",
             !options.click);
    return kNotRegistered;
  }
  if (FAILED(created) || !command) {
    complain("cannot create the command " + std::string(cw::com_identity::kClassId) + ": " +
                 hresultText(created),
             !options.click);
    return kCommandFailed;
  }

  int status = 0;
  {
    cw::standin::Document& shown = application->document();
    HRESULT created = command->OnCreate(host->application());
    if (FAILED(created)) {
      complain("the command's OnCreate failed: " + hresultText(created), !options.click);
      status = kCommandFailed;
    }
    HWND mainWindow = nullptr;
    HostWindow window(
        captionOf(*command),
        [&] {
          const HRESULT clicked = command->OnClick();
          if (FAILED(clicked)) {
            complain("the command's OnClick failed: " + hresultText(clicked), !options.click);
            status = kCommandFailed;
          }
          // Closed once the click is done: a close posted with the click would reach the window
          // inside the click's first message box and end it, and the click with it.
          if (options.click) ::PostMessageW(mainWindow, WM_CLOSE, 0, 0);
        },
        shown,
        ModuleNotices{{}, [&mainWindow](const std::wstring& link) { openLink(mainWindow, link); }});
    mainWindow = window.window();
    host->setMainWindow(mainWindow);
    std::unique_ptr<MessageBoxReply> reply;
    if (options.click) {
      reply = std::make_unique<MessageBoxReply>(
          [](const std::wstring& text) { std::cout << "message: " << fromWide(text) << "\n"; });
      // Pressed as a person would: the button's own click, then the window closed.
      ::PostMessageW(window.button(), BM_CLICK, 0, 0);
    }
    ::ShowWindow(window.window(), SW_SHOWNORMAL);
    window.run();
    host->setMainWindow(nullptr);
    command->Release();
    if (options.click) {
      for (const std::string& call : application->document().calls) {
        std::cout << "host: " << call << "\n";
      }
    }
  }
  host->stopServing();
  ::CoUninitialize();  // the module unloaded, what it held given back
  if (host->referencesHeld() == 0) {
    delete host;
    delete application;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  const std::vector<std::string> args = cw::programs::programArguments(argc, argv);
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--host" && hasValue) {
      options.hostPath = args[++i];
    } else if (arg == "--drive" && hasValue) {
      options.drives.push_back(args[++i]);
    } else if (arg == "--cwd" && hasValue) {
      options.currentDirectory = args[++i];
    } else if (arg == "--click") {
      options.click = true;
    } else if (arg == "--demo") {
      options.demo = true;
    } else if (!arg.empty() && arg[0] != '-' && options.scriptPath.empty()) {
      options.scriptPath = arg;
    } else {
      return usage();
    }
  }
  if ((options.demo && !options.scriptPath.empty()) || (options.scripted() && options.click)) {
    return usage();
  }
  // Checked here, so that a bad mapping is told before the module is started on it.
  for (const std::string& drive : options.drives) {
    cw::platform::Win32FileSystem::GivenOptions given;
    if (drive.find('|') != std::string::npos || !given.addDrive(drive)) return usage();
  }
  if (FAILED(::CoInitialize(nullptr))) {
    std::cerr << "corbelwick-host: cannot start COM\n";
    return kCommandFailed;
  }
  try {
    return runHost(options);
  } catch (const cw::Failure& failure) {
    std::cerr << "corbelwick-host: " << failure.description() << "\n";
    return 1;
  }
}
