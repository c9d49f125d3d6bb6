// The module's command as the stand-in host calls it: through the host's command interface as
// the stand-in's own IDL declares it (host_library.h), never through the module's declaration.
// Each member must do its own work; a member the module put in another slot would answer for
// the member whose slot it took.

#include <windows.h>
// After windows.h, which it needs before it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/message_box_answerer.h"
#include "command/corbelwick_bookmarks.h"
#include "host_library.h"
#include "hosts/comhost/com_host.h"
#include "hosts/standin/standin.h"

namespace cw::comhost {
namespace {

std::wstring wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

// The module's path as Windows sees it under wine: drive Z: is the Linux root.
std::wstring modulePath() {
  std::string path = CW_COM_DLL;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  std::wstring spelt = wide(path);
  for (wchar_t& c : spelt) {
    if (c == L'/') c = L'\\';
  }
  return spelt;
}

// A new command from the module's class factory, asked for by the host's interface id.
::ICommand* newCommand(HMODULE module) {
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto getClassObject = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(::GetProcAddress(module, "DllGetClassObject")));
  if (!getClassObject) return nullptr;
  CLSID classId{};
  if (FAILED(::CLSIDFromString(wide(com_identity::kClassId).c_str(), &classId))) return nullptr;
  IClassFactory* factory = nullptr;
  if (FAILED(getClassObject(classId, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
    return nullptr;
  }
  ::ICommand* command = nullptr;
  factory->CreateInstance(nullptr, __uuidof(::ICommand), reinterpret_cast<void**>(&command));
  factory->Release();
  return command;
}

std::wstring received(BSTR text) {
  std::wstring out = text ? std::wstring(text, ::SysStringLen(text)) : L"<none>";
  ::SysFreeString(text);
  return out;
}

TEST(CommandSlots, EachMemberOfTheHostsCommandInterfaceReachesTheModulesMemberOfThatName) {
  ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  // The module keeps the application it reached while it stays loaded: the host outlives the
  // test, as the real host outlives its commands.
  auto* application = new standin::Application(standin::sampleDocument());
  auto* host = new ComHost(*application);
  ASSERT_EQ(host->registered(), S_OK);
  HMODULE module = ::LoadLibraryW(modulePath().c_str());
  ASSERT_NE(module, nullptr) << "cannot load the module";
  ::ICommand* command = newCommand(module);
  ASSERT_NE(command, nullptr) << "the module's command does not answer the host's interface id";

  using TextGetter = HRESULT (STDMETHODCALLTYPE ::ICommand::*)(BSTR*);
  struct Text {
    const char* member;
    TextGetter get;
    const wchar_t* expected;
  };
  const std::vector<Text> texts = {
      {"get_Name", &::ICommand::get_Name, L"CorbelwickGIS_CorbelwickBookmarks"},
      {"get_Caption", &::ICommand::get_Caption, L"CorbelwickBookmarks"},
      {"get_Tooltip", &::ICommand::get_Tooltip,
       L"CorbelwickBookmarks - Store and organize bookmarks"},
      {"get_Message", &::ICommand::get_Message, L"CorbelwickGIS: http://www.corbelwickgis.example"},
      {"get_HelpFile", &::ICommand::get_HelpFile, L""},
      {"get_Category", &::ICommand::get_Category, L"CorbelwickGIS"},
  };
  for (const Text& t : texts) {
    BSTR text = nullptr;
    EXPECT_EQ((command->*t.get)(&text), S_OK) << t.member;
    EXPECT_EQ(received(text), t.expected) << t.member;
  }

  VARIANT_BOOL enabled = VARIANT_FALSE;
  VARIANT_BOOL checked = VARIANT_TRUE;
  LONG helpId = -1;
  EXPECT_EQ(command->get_Enabled(&enabled), S_OK);
  EXPECT_EQ(enabled, VARIANT_TRUE) << "get_Enabled";
  EXPECT_EQ(command->get_Checked(&checked), S_OK);
  EXPECT_EQ(checked, VARIANT_FALSE) << "get_Checked";
  EXPECT_EQ(command->get_HelpContextID(&helpId), S_OK);
  EXPECT_EQ(helpId, 0) << "get_HelpContextID";

  // 32 bits, widened as the system widens a handle.
  OLE_HANDLE picture = 0;
  EXPECT_EQ(command->get_Bitmap(&picture), S_OK);
  const auto bitmap = reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(static_cast<LONG>(picture)));
  EXPECT_EQ(::GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP)) << "get_Bitmap";

  standin::Document& document = application->document();
  document.calls.clear();
  const LONG heldBefore = host->referencesHeld();
  EXPECT_EQ(command->OnCreate(host->application()), S_OK);
  EXPECT_EQ(host->referencesHeld(), heldBefore + 1) << "OnCreate keeps the application";
  EXPECT_TRUE(document.calls.empty()) << "OnCreate asks the document nothing";

  {
    // The first click's question (whether to bring in the host's own bookmarks) answered.
    com::testing::MessageBoxAnswerer answerer;
    EXPECT_EQ(command->OnClick(), S_OK);
  }
  ASSERT_FALSE(document.calls.empty()) << "OnClick asks the document's data frames";
  EXPECT_EQ(document.calls.front(), "dataFrameCount");

  command->Release();
  host->stopServing();
  ::CoUninitialize();
}

}  // namespace
}  // namespace cw::comhost
