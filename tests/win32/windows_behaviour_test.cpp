// The whole system on Windows' own file system: files in use by another program, a network path
// as the active list, and the code page of the list files.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "support/list_lines.h"
#include "support/test_app.h"
#include "ui/main/frm_main.h"

namespace cw::ui {
namespace {

using testing::bookmark;
using testing::group;
using testing::header;
using testing::TestApp;

const std::string kList = "C:\\Lists\\team.bmk";
constexpr std::string_view kReportStart = "We're sorry, an unexpected error has occurred.";

// The command started on `list` as the list the pointer file names; its content when given.
void startOn(TestApp& t, const std::string& list, std::optional<std::string> content) {
  t.drives.write(TestApp::programDir() + "config", "\"" + list + "\"\r\n");
  if (content) t.drives.write(list, *content);
  t.start();
}

void select(ListBox& box, const std::string& text) {
  for (int i = 0; i < box.count(); ++i) {
    if (box.item(i) == text) return box.select(i);
  }
  FAIL() << "no entry " << text;
}

// Every file and directory under the drives, with its size.
std::set<std::string> tree(const TestApp& t) {
  std::set<std::string> out;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(t.drives.base())) {
    std::string line = testing::utf8Of(entry.path());
    if (entry.is_regular_file()) line += " " + std::to_string(entry.file_size());
    out.insert(line);
  }
  return out;
}

// Another program holding the file open without sharing it.
class LockedFile {
 public:
  explicit LockedFile(const std::filesystem::path& path)
      : handle_(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~LockedFile() { ::CloseHandle(handle_); }
  bool locked() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// Every change of a list that another program holds ends in the report and leaves the list as
// it was: nothing is lost, whichever way the change writes.
TEST(WindowsBehaviour, AListInUseByAnotherProgramGetsTheReportAndStaysWhole) {
  const std::string content =
      header() + group("Parks") + bookmark("Parks", "Riverside") + bookmark("Parks", "Harbour");
  struct Case {
    const char* button;
    std::optional<std::string> input;
  };
  const Case cases[] = {
      {"btnRemoveExtent", std::nullopt},  // rewrites the list
      {"btnRemoveGroup", std::nullopt},
      {"cmdbtnAddGroup", "Trails"},  // appends to it
      {"cmdbtnAddCurExtent", "Pier"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    TestApp t;
    startOn(t, kList, content);
    select(t.window().lstbxGroup(), "Parks");
    select(t.window().lstbxExtentName(), "Riverside");
    t.toolkit.messages.clear();
    {
      LockedFile other(t.drives.host(kList));
      ASSERT_TRUE(other.locked());
      if (c.input) t.toolkit.queueInput(*c.input);
      t.toolkit.queueAnswer(platform::MessageResult::kYes);  // a question before removing
      t.window().fire(c.button, Event::kClick);
      for (int n = 1; n <= 3; ++n) EXPECT_FALSE(t.module.files.isOpen(n));
    }
    EXPECT_EQ(t.drives.read(kList), content);
    ASSERT_FALSE(t.toolkit.messages.empty()) << "no word to the user";
  }
}

// The side files' drive test compares the list's first character with the program's drive: a
// network list has none, and whatever fails reaching the server, nothing is written anywhere
// else and nothing crashes.
TEST(WindowsBehaviour, ANetworkPathAsTheActiveListWritesNothingOutsideIt) {
  TestApp t;
  const std::string network = "\\\\cw-no-such-server\\share\\lists\\team.bmk";
  t.drives.write(TestApp::programDir() + "config", "\"" + network + "\"\r\n");
  t.command.OnCreate(&t.host);
  const auto before = tree(t);
  t.command.OnClick();
  EXPECT_EQ(t.module.session.ActiveListPath, network);
  t.toolkit.queueInput("Parks");
  t.window().fire("cmdbtnAddGroup", Event::kClick);
  t.window().fire("chkViz", Event::kClick);
  t.toolkit.queueInput("Riverside");
  t.window().fire("cmdbtnAddCurExtent", Event::kClick);
  EXPECT_EQ(tree(t), before);
  for (int n = 1; n <= 3; ++n) EXPECT_FALSE(t.module.files.isOpen(n));
  EXPECT_FALSE(t.toolkit.messages.empty());
}

// The host runs with code page 1252: the list's bytes are that code page on disk and UTF-8 in
// the window, both ways.
TEST(WindowsBehaviour, CodePage1252ListsReadAndWriteAsOnLinux) {
  TestApp t;
  startOn(t, kList, header() + group("Caf\xE9") + bookmark("Caf\xE9", "Se\xF1or \x80"));
  select(t.window().lstbxGroup(), "Café");
  ASSERT_EQ(t.window().lstbxExtentName().count(), 1);
  EXPECT_EQ(t.window().lstbxExtentName().item(0), "Señor €");
  t.toolkit.queueInput("Mañana");
  t.window().fire("cmdbtnAddGroup", Event::kClick);
  EXPECT_EQ(t.drives.read(kList), header() + group("Caf\xE9") +
                                      bookmark("Caf\xE9", "Se\xF1or \x80") +
                                      group("Ma\xF1"
                                            "ana"));
}

}  // namespace
}  // namespace cw::ui
