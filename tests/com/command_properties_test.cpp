// The command's properties as the host reads them, on instances it makes only to read them and
// on the one it keeps and hands its application; and the creation hook's own work.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "com/com_client.h"
#include "com/fake_hook.h"
#include "command/corbelwick_bookmarks.h"
#include "hosts/com/host_interfaces.h"

namespace cw::com::testing {
namespace {

// The stand-in host's objects, of the host's interfaces as its own IDL declares them.
using namespace ::cw::hostfake;

// Every property of `command` reads as the host expects; `when` names the moment.
void expectProperties(ICommand* command, const char* when) {
  using TextGetter = HRESULT (STDMETHODCALLTYPE ICommand::*)(BSTR*);
  struct Text {
    const char* name;
    TextGetter get;
    const wchar_t* expected;
  };
  const std::vector<Text> texts = {
      {"Name", &ICommand::get_Name, L"CorbelwickGIS_CorbelwickBookmarks"},
      {"Caption", &ICommand::get_Caption, L"CorbelwickBookmarks"},
      {"Tooltip", &ICommand::get_Tooltip, L"CorbelwickBookmarks - Store and organize bookmarks"},
      {"Message", &ICommand::get_Message, L"CorbelwickGIS: http://www.corbelwickgis.example"},
      {"HelpFile", &ICommand::get_HelpFile, L""},
      {"Category", &ICommand::get_Category, L"CorbelwickGIS"},
  };
  for (const Text& t : texts) {
    ReceivedText received;
    ASSERT_EQ((command->*t.get)(received.out()), S_OK) << t.name << " " << when;
    // A BSTR even for the empty text, whose length is its own.
    ASSERT_NE(received.get(), nullptr) << t.name << " " << when;
    EXPECT_EQ(received.wide(), std::wstring(t.expected)) << t.name << " " << when;
    EXPECT_EQ(::SysStringLen(received.get()), wcslen(received.get())) << t.name << " " << when;
  }

  for (int read = 0; read < 2; ++read) {
    VARIANT_BOOL enabled = 0;
    VARIANT_BOOL checked = 1;
    ASSERT_EQ(command->get_Enabled(&enabled), S_OK) << when;
    ASSERT_EQ(command->get_Checked(&checked), S_OK) << when;
    EXPECT_EQ(enabled, VARIANT_TRUE) << when;
    EXPECT_EQ(checked, VARIANT_FALSE) << when;
  }
  LONG helpId = -1;
  ASSERT_EQ(command->get_HelpContextID(&helpId), S_OK) << when;
  EXPECT_EQ(helpId, 0) << when;
}

class CommandProperties : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(Server::loaded().module, nullptr) << "cannot load the module"; }
};

TEST_F(CommandProperties, ReadWithoutTheCreationHook) {
  // The host makes and drops instances only to read them.
  for (int instance = 0; instance < 2; ++instance) {
    Ref<ICommand> command = newCommand();
    ASSERT_TRUE(command);
    expectProperties(command.get(), "before OnCreate");
  }
}

TEST_F(CommandProperties, EveryReadNeedsAPlaceForItsResult) {
  Ref<ICommand> command = newCommand();
  ASSERT_TRUE(command);
  EXPECT_EQ(command->get_Enabled(nullptr), E_POINTER);
  EXPECT_EQ(command->get_Checked(nullptr), E_POINTER);
  EXPECT_EQ(command->get_Name(nullptr), E_POINTER);
  EXPECT_EQ(command->get_Caption(nullptr), E_POINTER);
  EXPECT_EQ(command->get_Tooltip(nullptr), E_POINTER);
  EXPECT_EQ(command->get_Message(nullptr), E_POINTER);
  EXPECT_EQ(command->get_HelpFile(nullptr), E_POINTER);
  EXPECT_EQ(command->get_HelpContextID(nullptr), E_POINTER);
  EXPECT_EQ(command->get_Bitmap(nullptr), E_POINTER);
  EXPECT_EQ(command->get_Category(nullptr), E_POINTER);
}

// --- the picture -------------------------------------------------------------------------

struct Pixel {
  int x, y;
  COLORREF colour;
  const char* what;
};

COLORREF pixelOf(HBITMAP bitmap, int x, int y) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = 16;
  info.bmiHeader.biHeight = -16;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  DWORD pixels[16 * 16] = {};
  HDC screen = ::GetDC(nullptr);
  const int rows = ::GetDIBits(screen, bitmap, 0, 16, pixels, &info, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(rows, 16);
  const DWORD bgr = pixels[y * 16 + x];
  return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

TEST_F(CommandProperties, ThePictureIsOneSixteenBySixteenTrueColourBitmap) {
  OLE_HANDLE first = 0;
  {
    Ref<ICommand> command = newCommand();
    ASSERT_TRUE(command);
    ASSERT_EQ(command->get_Bitmap(&first), S_OK);
    OLE_HANDLE again = 0;
    ASSERT_EQ(command->get_Bitmap(&again), S_OK);
    EXPECT_EQ(again, first) << "every read hands out the same picture";
  }
  Ref<ICommand> other = newCommand();
  ASSERT_TRUE(other);
  OLE_HANDLE fromOther = 0;
  ASSERT_EQ(other->get_Bitmap(&fromOther), S_OK);
  EXPECT_EQ(fromOther, first) << "and so does every instance";

  HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(first));
  BITMAP shape{};
  ASSERT_EQ(::GetObjectW(bitmap, sizeof(shape), &shape), static_cast<int>(sizeof(shape)))
      << "the handle is a bitmap that is still alive";
  EXPECT_EQ(shape.bmWidth, 16);
  EXPECT_EQ(shape.bmHeight, 16);
  EXPECT_EQ(shape.bmBitsPixel, 24);

  // The host takes the top-left pixel as the transparent colour; the other corners show that
  // rows and colour channels are where they belong.
  const std::vector<Pixel> pixels = {
      {0, 0, RGB(0x9C, 0xCC, 0x7E), "top left, land"},
      {10, 0, RGB(0xD2, 0x23, 0x2B), "the ribbon at the top"},
      {0, 15, RGB(0x5D, 0x9C, 0xD8), "bottom left, water"},
      {15, 15, RGB(0x9C, 0xCC, 0x7E), "bottom right, land"},
  };
  for (const Pixel& p : pixels) {
    EXPECT_EQ(pixelOf(bitmap, p.x, p.y), p.colour) << p.what;
  }
}

// --- the creation hook -------------------------------------------------------------------

std::filesystem::path programDir() {
  return std::filesystem::path(L"C:\\Program Files\\CorbelwickGIS\\CorbelwickBookmarks");
}

TEST_F(CommandProperties, TheCreationHookSetsUpTheProgramDirectory) {
  Ref<ICommand> command = newCommand();
  ASSERT_TRUE(command);
  FakeHook application(true);
  ASSERT_EQ(command->OnCreate(&application), S_OK);

  EXPECT_TRUE(std::filesystem::is_directory(programDir()));
  EXPECT_TRUE(std::filesystem::is_regular_file(programDir() / "config"));
  EXPECT_TRUE(std::filesystem::is_regular_file(programDir() / "init"));
  EXPECT_TRUE(std::filesystem::is_directory(programDir() / "BookmarksConfig"));
  expectProperties(command.get(), "after OnCreate");

  // A second instance (a second button) finds the same place and makes its own window.
  Ref<ICommand> second = newCommand();
  ASSERT_TRUE(second);
  std::filesystem::remove(programDir() / "init");
  ASSERT_EQ(second->OnCreate(&application), S_OK);
  EXPECT_TRUE(std::filesystem::is_regular_file(programDir() / "init"));
}

TEST_F(CommandProperties, TheCreationHookIsHeldOnlyAsTheHostsApplication) {
  struct Case {
    const char* what;
    bool isApplication;
    LONG heldWhileAlive;
  };
  const std::vector<Case> cases = {
      {"the host's application", true, 1},
      {"an object that is no application", false, 0},
  };
  for (const Case& c : cases) {
    FakeHook hook(c.isApplication);
    {
      Ref<ICommand> command = newCommand();
      ASSERT_TRUE(command);
      ASSERT_EQ(command->OnCreate(&hook), S_OK) << c.what;
      EXPECT_EQ(hook.applicationQueries(), 1) << c.what << ": asked for as the application";
      EXPECT_EQ(hook.references(), 1 + c.heldWhileAlive) << c.what;
      // A second creation on the same instance keeps one reference, not two.
      ASSERT_EQ(command->OnCreate(&hook), S_OK) << c.what;
      EXPECT_EQ(hook.references(), 1 + c.heldWhileAlive) << c.what;
      expectProperties(command.get(), c.what);
    }
    EXPECT_EQ(hook.references(), 1) << c.what << ": given back with the instance";
  }

  Ref<ICommand> command = newCommand();
  ASSERT_TRUE(command);
  EXPECT_EQ(command->OnCreate(nullptr), S_OK) << "no hook at all";
}

}  // namespace
}  // namespace cw::com::testing
