// corbelwick-host.exe as a person or an installer meets it: it registers nothing of its own, it
// says plainly when the module was never registered, and once regsvr32 has registered the
// module a click on its button goes through COM into the module and back to the stand-in
// document.

#include <windows.h>
// After windows.h, which it needs before it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "command/corbelwick_bookmarks.h"

namespace {

// A path of the build as Windows sees it under wine: drive Z: is the Linux root.
std::wstring windowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  std::wstring wide(path.begin(), path.end());
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return wide;
}

std::wstring wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

std::string readText(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::wstring temporaryFile(const wchar_t* prefix) {
  wchar_t directory[MAX_PATH] = {};
  wchar_t file[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, directory);
  ::GetTempFileNameW(directory, prefix, 0, file);
  return file;
}

struct Finished {
  int code = -1;
  std::string out;
  std::string err;
};

// Runs `line` with its output and errors in files, and waits for it.
Finished run(std::wstring line) {
  const std::wstring outPath = temporaryFile(L"out");
  const std::wstring errPath = temporaryFile(L"err");
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE out = ::CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
  HANDLE err = ::CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  Finished result;
  if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
    // A host that waits for a person (a box nobody answers) is stopped, and fails the test.
    if (::WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
      ::TerminateProcess(process.hProcess, 124);
      ::WaitForSingleObject(process.hProcess, INFINITE);
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    result.code = static_cast<int>(code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  ::CloseHandle(out);
  ::CloseHandle(err);
  result.out = readText(outPath);
  result.err = readText(errPath);
  ::DeleteFileW(outPath.c_str());
  ::DeleteFileW(errPath.c_str());
  return result;
}

int regsvr32(const std::wstring& options) {
  return run(L"regsvr32.exe " + options + L" \"" + windowsPath(CW_COM_DLL) + L"\"").code;
}

Finished host(const std::wstring& arguments) {
  return run(L"\"" + windowsPath(CW_HOST_EXE) + L"\" " + arguments);
}

bool classRegistered(const std::string& classId) {
  HKEY opened = nullptr;
  const std::wstring key = L"CLSID\\" + wide(classId);
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return false;
  }
  ::RegCloseKey(opened);
  return true;
}

// The lines of `text` that start with `prefix`, without it.
std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(prefix, 0) == 0) lines.push_back(line.substr(prefix.size()));
  }
  return lines;
}

constexpr const char* kApplicationReference = "{E1740EC5-9513-11D2-A2DF-0000F8774FB5}";
constexpr const char* kEnvelopeClass = "{30707212-52D5-11D0-A8F2-00608C85EDE5}";

// Each test starts and ends with the module unregistered. The host shows its window and the
// module its message boxes: without a display wine shows none, and nothing answers them.
class HostProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GT(::GetEnvironmentVariableW(L"DISPLAY", nullptr, 0), 0u)
        << "needs a display: run under xvfb-run -a, as scripts/test-windows.sh does";
    ASSERT_EQ(regsvr32(L"/u /s"), 0);
  }
  void TearDown() override { EXPECT_EQ(regsvr32(L"/u /s"), 0); }
};

TEST_F(HostProgram, WithoutTheModuleRegisteredItSaysSoAndRegistersNothing) {
  const Finished result = host(L"--click");
  EXPECT_EQ(result.code, 3) << result.err;
  EXPECT_NE(result.err.find("is not registered"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("regsvr32 CorbelwickBookmarks.dll"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find(cw::com_identity::kClassId), std::string::npos) << result.err;
  EXPECT_TRUE(linesStartingWith(result.out, "host: ").empty()) << "the document was not reached";
  for (const char* classId : {cw::com_identity::kClassId, kApplicationReference, kEnvelopeClass}) {
    EXPECT_FALSE(classRegistered(classId)) << classId;
  }
}

TEST_F(HostProgram, AClickThroughTheRegisteredModuleReachesTheDocument) {
  ASSERT_EQ(regsvr32(L"/s"), 0);
  const std::wstring harbour = temporaryFile(L"doc");
  {
    std::ofstream out(harbour.c_str(), std::ios::binary);
    out << R"({"dataFrames": [{"name": "Harbour", "extent": [0, 0, 10, 10],
                               "layers": [{"name": "Quays"}]}]})";
  }
  struct Case {
    const char* what;
    std::wstring arguments;
    std::vector<std::string> dataCheck;
    std::string lastCall;  // "" where the click asks nothing more of the host
  };
  const std::vector<Case> cases = {
      {"the sample town",
       L"--click",
       {"dataFrameCount", "layerCount \"Main Map\"", "layerCount \"Overview\""},
       "nextBookmark \"Main Map\" none"},
      {"a document of its own",
       L"--host \"" + harbour + L"\" --click",
       {"dataFrameCount", "layerCount \"Harbour\""},
       ""},
  };
  for (const Case& c : cases) {
    const Finished result = host(c.arguments);
    EXPECT_EQ(result.code, 0) << c.what << "\n" << result.err;
    const std::vector<std::string> calls = linesStartingWith(result.out, "host: ");
    ASSERT_GE(calls.size(), c.dataCheck.size()) << c.what << "\n" << result.out;
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + c.dataCheck.size()),
              c.dataCheck)
        << c.what << ": the data check reads every data frame's layers";
    // After the data check the bookmarks window shows in its frame and starts on its list; the
    // first start offers the import, which the default answer accepts and which runs to the
    // document's last bookmark before the host closes. Nothing ends in the error report.
    EXPECT_EQ(result.out.find("ERROR NUMBER"), std::string::npos) << c.what << "\n" << result.out;
    if (!c.lastCall.empty()) {
      EXPECT_EQ(calls.back(), c.lastCall) << c.what;
    }
  }
  ::DeleteFileW(harbour.c_str());
  EXPECT_TRUE(classRegistered(cw::com_identity::kClassId)) << "registered by regsvr32";
  for (const char* classId : {kApplicationReference, kEnvelopeClass}) {
    EXPECT_FALSE(classRegistered(classId)) << classId << ": served in the process only";
  }
}

struct WindowSearch {
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK matchMainWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  if (owner == search->processId && std::wstring(className) == L"CorbelwickHostWindow" &&
      ::IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The host's main window in the process `processId` once it shows; nullptr after `seconds`.
HWND mainWindowOf(DWORD processId, int seconds) {
  for (int tries = 0; tries < seconds * 10; ++tries) {
    WindowSearch search{processId};
    ::EnumWindows(&matchMainWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    ::Sleep(100);
  }
  return nullptr;
}

TEST_F(HostProgram, WithoutClickItShowsItsWindowWithTheCommandsButtonUntilClosed) {
  ASSERT_EQ(regsvr32(L"/s"), 0);
  std::wstring line = L"\"" + windowsPath(CW_HOST_EXE) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
  HWND window = mainWindowOf(process.dwProcessId, 30);
  EXPECT_NE(window, nullptr) << "the main window shows";
  if (window) {
    HWND button = ::FindWindowExW(window, nullptr, L"BUTTON", nullptr);
    ASSERT_NE(button, nullptr);
    wchar_t caption[64] = {};
    ::GetWindowTextW(button, caption, 64);
    EXPECT_EQ(std::wstring(caption), L"CorbelwickBookmarks") << "the command's caption";
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  }
  if (::WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "the host did not end when its window closed";
    ::TerminateProcess(process.hProcess, 124);
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process.hProcess, &code);
  EXPECT_EQ(code, 0u);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
}

TEST_F(HostProgram, BadArgumentsAndDocumentsEndBeforeTheModuleIsMade) {
  struct Case {
    std::wstring arguments;
    int code;
    const char* told;
  };
  const std::vector<Case> cases = {
      {L"--frobnicate", 2, "usage: corbelwick-host"},
      {L"--drive nonsense --click", 2, "usage: corbelwick-host"},
      {L"--host", 2, "usage: corbelwick-host"},
      {L"--host Z:\\no\\such\\document.json --click", 1, "cannot read Z:\\no\\such\\document.json"},
      {L"--demo --click", 2, "usage: corbelwick-host"},
      {L"Z:\\no\\such.session", 1, "cannot read Z:\\no\\such.session"},
  };
  for (const Case& c : cases) {
    const Finished result = host(c.arguments);
    EXPECT_EQ(result.code, c.code) << result.err;
    EXPECT_NE(result.err.find(c.told), std::string::npos) << result.err;
  }
}

// A script's mistakes reach the host inside the module's windows and loops: each must end the run
// with status 2 and its message, the transcript up to it written, rather than leave a window
// waiting for a person. And the answers of the script's queues reach the boxes they were meant
// for: a cancelled input box adds nothing, and the OK box that says so takes no queued answer.
TEST_F(HostProgram, AScriptPlaysThroughTheWindowsAndItsMistakesEndTheRun) {
  ASSERT_EQ(regsvr32(L"/s"), 0);
  struct Case {
    const char* what;
    std::string script;
    int code;
    std::string transcriptEnd;
    const char* told;  // on stderr; "" for none
  };
  const std::string opened = "create\nanswer No\nclick\n";
  const std::string openedTranscript =
      "> create\n> answer No\n> click\n"
      "MSGBOX \"Would you like to import your existing ArcMap bookmarks?\" -> No\n";
  const std::vector<Case> cases = {
      {"a cancelled input box",
       opened + "input-cancel\npress frmMain.cmdbtnAddGroup\nshow frmMain\n", 0,
       "> input-cancel\n> press frmMain.cmdbtnAddGroup\nINPUT \"Name the new group:\" -> cancel\n"
       "MSGBOX \"Groups must have a name\"\n> show frmMain\nCHECK frmMain.chkViz 0\nLIST "
       "frmMain.lstbxExtentName [] selected -\n"
       "LIST frmMain.lstbxGroup [] selected -\n"
       "TEXT frmMain.Text1 "
       "\"C:\\Program Files\\CorbelwickGIS\\CorbelwickBookmarks\\bookmarks_default.bmk\"\n",
       ""},
      {"a question with no answer queued", "create\nclick\n", 2,
       "> click\nMSGBOX \"Would you like to import your existing ArcMap bookmarks?\" -> ?\n",
       "a Yes/No question has no queued answer"},
      {"the script ends inside a modal window", opened + "press frmMain.btnLoadList\n", 2,
       "> press frmMain.btnLoadList\n", "the script ended while frmLoadList is shown"},
      {"a control the window lacks", opened + "press frmMain.nothing\n", 2,
       "> press frmMain.nothing\n", "script line 4: unknown control nothing on frmMain"},
      {"answers left over", opened + "answer Yes\n", 2, "> answer Yes\n",
       "1 queued answer(s) unused"},
  };
  for (const Case& c : cases) {
    const std::filesystem::path drive =
        std::filesystem::temp_directory_path() / ("cw-script-" + std::to_string(&c - &cases[0]));
    std::filesystem::remove_all(drive);
    std::filesystem::create_directories(drive / "Program Files");
    const std::filesystem::path script = drive.string() + ".session";
    {
      std::ofstream out(script, std::ios::binary);
      out << c.script;
    }
    const Finished result =
        host(L"\"" + script.wstring() + L"\" --drive \"C=" + drive.wstring() + L"\"");
    EXPECT_EQ(result.code, c.code) << c.what << "\n" << result.err;
    const bool ends = result.out.size() >= c.transcriptEnd.size() &&
                      result.out.compare(result.out.size() - c.transcriptEnd.size(),
                                         c.transcriptEnd.size(), c.transcriptEnd) == 0;
    EXPECT_TRUE(ends) << c.what << "\n" << result.out;
    if (*c.told) {
      EXPECT_NE(result.err.find(c.told), std::string::npos) << c.what << "\n" << result.err;
    } else {
      EXPECT_EQ(result.err, "") << c.what;
    }
    std::filesystem::remove_all(drive);
    std::filesystem::remove(script);
  }
}

}  // namespace
