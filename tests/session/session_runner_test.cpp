#include "frontends/headless/session_runner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "frontends/headless/demo_script.h"
#include "hosts/standin/standin.h"
#include "support/temp_drives.h"

namespace cw::headless {
namespace {

struct Session {
  testing::TempDrives drives;
  standin::Application host{standin::sampleDocument()};
  std::ostringstream out;
  SessionRunner runner{drives.fs(), host, out};

  // Plays the script; the script error's message, or "" when it ran to its end.
  std::string play(const std::string& script) {
    try {
      runner.play(script);
      return "";
    } catch (const ScriptError& e) {
      return e.message;
    }
  }
};

TEST(SplitScriptLine, QuotesEscapesAndComments) {
  struct Case {
    std::string line;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {"press frmMain.btnZoom", {"press", "frmMain.btnZoom"}},
      {"  input   \"Old Town\"  ", {"input", "Old Town"}},
      {R"(input "say \"hi\"")", {"input", "say \"hi\""}},
      {R"(input "")", {"input", ""}},
      {"# a comment", {}},
      {"click # trailing comment", {"click"}},
      {"input \"#not a comment\"", {"input", "#not a comment"}},
  };
  for (const auto& c : cases) EXPECT_EQ(splitScriptLine(c.line), c.words) << c.line;
  EXPECT_THROW(splitScriptLine("input \"open"), ScriptError);
}

TEST(ShortestNumber, PrintsShortestExactForm) {
  EXPECT_EQ(shortestNumber(-122), "-122");
  EXPECT_EQ(shortestNumber(37.25), "37.25");
  EXPECT_EQ(shortestNumber(-0.0), "0");
  EXPECT_EQ(shortestNumber(0.1), "0.1");
}

TEST(SessionRunner, DemoPlaysToItsEndAndLeavesTheListEmpty) {
  Session s;
  EXPECT_EQ(s.play(kDemoScript), "");
  std::string transcript = s.out.str();
  EXPECT_NE(transcript.find("MSGBOX \"Would you like to import your existing ArcMap bookmarks?\" "
                            "-> No"),
            std::string::npos);
  EXPECT_NE(transcript.find("INPUT \"Name the new group:\" -> \"Demo Tour\""), std::string::npos);
  EXPECT_NE(
      transcript.find("LIST frmMain.lstbxExtentName [\"Old Town\", \"Wide View\"] selected -"),
      std::string::npos);
  EXPECT_NE(transcript.find("REDRAWS map=2 graphics=0 toc=1"), std::string::npos);
  // The demo removes what it added: the default list holds its header only.
  EXPECT_EQ(s.drives.read("C:\\Program Files\\CorbelwickGIS\\CorbelwickBookmarks\\"
                          "bookmarks_default.bmk"),
            R"("Bookmarks_v2.0","Bookmarks_v2.0","Bookmarks_v2.0","Bookmarks_v2.0",)"
            R"("Bookmarks_v2.0","Bookmarks_v2.0","Bookmarks_v2.0","Bookmarks_v2.0",)"
            R"("Bookmarks_v2.0","Bookmarks_v2.0")"
            "\r\n");
}

TEST(SessionRunner, HostActionsShowInTheState) {
  Session s;
  EXPECT_EQ(s.play("view layout\n"
                   "focus Overview\n"
                   "extent 0 0 10 10\n"
                   "layer \"Main Map\" Land/Parcels on\n"
                   "layer \"Main Map\" \"Land/Heritage/Listed Buildings\" off\n"
                   "state\n"),
            "");
  std::string transcript = s.out.str();
  EXPECT_NE(transcript.find("VIEW layout\n"), std::string::npos);
  EXPECT_NE(transcript.find("FRAME \"Overview\" extent 0 0 10 10 focus\n"), std::string::npos);
  EXPECT_NE(transcript.find("LAYER \"Main Map\" \"Land/Parcels\" on\n"), std::string::npos);
  EXPECT_NE(transcript.find("LAYER \"Main Map\" \"Land/Heritage/Listed Buildings\" off\n"),
            std::string::npos);
}

TEST(SessionRunner, ScriptMistakesStopTheRunWithTheirLine) {
  struct Case {
    std::string script;
    std::string message;
  };
  const Case cases[] = {
      {"fly away\n", "script line 1: unknown action fly"},
      {"create\n\npress frmMain.btnNowhere\n", "script line 3: unknown control btnNowhere"},
      {"press frmLoadList.btnOpen\n", "script line 1: no window frmLoadList is open"},
      {"click\n", "script line 1: click before create"},
      {"create\nclick\n", "a Yes/No question has no queued answer"},
      {"answer Yes\n", "queued answer(s) unused"},
      {"layer \"Main Map\" Nowhere on\n", "script line 1: no layer Nowhere"},
      {"extent 1 2 x 4\n", "script line 1: not a number: x"},
  };
  for (const auto& c : cases) {
    Session s;
    std::string message = s.play(c.script);
    EXPECT_NE(message.find(c.message), std::string::npos) << c.script << " gave: " << message;
  }
}

// The program itself: exit status and messages.
int runProgram(const std::string& arguments, std::string& output) {
  std::string command = std::string(CW_SESSION_BIN) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SessionProgram, ExitStatusTellsScriptErrorsFromSuccess) {
  testing::TempDrives drives;
  std::string driveOption = "--drive C=" + drives.root('C').string();
  drives.write("C:\\bad.session", "create\nfly\n");
  std::string output;
  EXPECT_EQ(runProgram(drives.host("C:\\bad.session").string() + " " + driveOption, output), 2);
  EXPECT_NE(output.find("script line 2: unknown action fly"), std::string::npos) << output;

  output.clear();
  EXPECT_EQ(runProgram("--demo " + driveOption, output), 0) << output;
  EXPECT_NE(output.find("> press frmMain.btnClose"), std::string::npos);

  output.clear();
  EXPECT_EQ(runProgram("", output), 2);
  EXPECT_NE(output.find("usage:"), std::string::npos);
}

// Given drives replace Z:, where the default current directory lies; without --cwd both list
// windows start at the root of the first drive on the command line, not the first by letter.
TEST(SessionProgram, GivenDrivesWithoutCwdStartTheListWindowsAtTheFirstDrivesRoot) {
  testing::TempDrives drives("CD", "C");
  drives.makeDirectory("C:\\Lists");
  drives.makeDirectory("D:\\Maps");
  drives.write("C:\\lists.session",
               "create\nanswer No\nclick\n"
               "press frmMain.btnLoadList\nshow frmLoadList\npress frmLoadList.btnCancel\n"
               "press frmMain.btnSaveList\nshow frmSaveList\npress frmSaveList.btnCancel\n");
  const std::string c = "--drive 'C=" + drives.root('C').string() + "'";
  const std::string d = "--drive 'D=" + drives.root('D').string() + "'";
  struct Case {
    std::string options;
    std::string drive;      // selected in both drive lists
    std::string directory;  // shown by both directory lists
  };
  const Case cases[] = {
      {d + " " + c, "D:", "D:\\"},
      {c + " " + d, "C:", "C:\\"},
      {d + " " + c + " --cwd 'C:\\Lists'", "C:", "C:\\Lists"},
      {"--cwd 'C:\\Lists' " + d + " " + c, "C:", "C:\\Lists"},
      {c + " " + d + " --cwd 'D:\\Maps'", "D:", "D:\\Maps"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.options);
    std::string output;
    EXPECT_EQ(runProgram(drives.host("C:\\lists.session").string() + " " + k.options, output), 0)
        << output;
    EXPECT_EQ(output.find("ERROR NUMBER"), std::string::npos) << output;
    for (const char* window : {"frmLoadList", "frmSaveList"}) {
      std::string w = window;
      EXPECT_NE(
          output.find("LIST " + w + ".Drive1 [\"C:\", \"D:\"] selected \"" + k.drive + "\"\n"),
          std::string::npos)
          << output;
      EXPECT_NE(output.find("TEXT " + w + ".Dir1 \"" + k.directory + "\"\n"), std::string::npos)
          << output;
    }
  }
}

}  // namespace
}  // namespace cw::headless
