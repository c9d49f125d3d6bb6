// The module going away as the host's COM runtime unloads it once it may: a copy of the DLL,
// loaded beside the one the other tests use so that its process-wide state is its own, used as
// the host uses the command (created, hooked, clicked, released) and then freed.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "com/com_client.h"
#include "com/fake_hook.h"
#include "com/fake_host.h"
#include "com/message_box_answerer.h"

namespace cw::com::testing {
namespace {

// The stand-in host's objects, of the host's interfaces as its own IDL declares them.
using namespace ::cw::hostfake;

// A copy of the module under a name of its own in the temporary folder.
std::wstring copyOfServer() {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  std::wstring copy = std::wstring(folder) + L"CorbelwickBookmarksCopy.dll";
  ::DeleteFileW(copy.c_str());
  if (!::CopyFileW(serverPath().c_str(), copy.c_str(), FALSE)) return L"";
  return copy;
}

TEST(ModuleUnload, GivesBackWhatItHeldAndGoesCleanly) {
  ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  // Never destroyed: the module may call them while it goes.
  auto* maps = new FakeMaps({});
  auto* document = new FakeDocument(maps, true);
  auto* application = new FakeApplication(document);
  {
    FakeAppRef appRef(application);
    ASSERT_EQ(appRef.registered(), S_OK);
    MessageBoxAnswerer answerer;

    const std::wstring path = copyOfServer();
    ASSERT_FALSE(path.empty());
    HMODULE module = ::LoadLibraryW(path.c_str());
    ASSERT_NE(module, nullptr);
    auto getClassObject = Server::exportOf<Server::GetClassObject>(module, "DllGetClassObject");
    auto canUnloadNow = Server::exportOf<Server::NoArguments>(module, "DllCanUnloadNow");
    ASSERT_NE(getClassObject, nullptr);
    ASSERT_NE(canUnloadNow, nullptr);
    {
      FakeHook hook(true);  // goes after the command that holds it
      Ref<IClassFactory> factory;
      ASSERT_EQ(getClassObject(guidOf(com_identity::kClassId), IID_IClassFactory, factory.out()),
                S_OK);
      Ref<ICommand> command;
      ASSERT_EQ(factory->CreateInstance(nullptr, kIidICommand, command.out()), S_OK);
      EXPECT_EQ(command->OnCreate(&hook), S_OK);
      EXPECT_EQ(command->OnClick(), S_OK);  // a click with no data: a message, no failure
      OLE_HANDLE picture = 0;
      EXPECT_EQ(command->get_Bitmap(&picture), S_OK);
      EXPECT_EQ(canUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(canUnloadNow(), S_OK) << "nothing of it is held any more";
    EXPECT_EQ(application->references(), 2) << "but the application it reached";

    EXPECT_TRUE(::FreeLibrary(module));
    EXPECT_EQ(::GetModuleHandleW(path.c_str()), nullptr) << "the module is gone";
    EXPECT_EQ(application->references(), 1) << "and gave the application back as it went";
    ::DeleteFileW(path.c_str());
  }
  ::CoUninitialize();
}

}  // namespace
}  // namespace cw::com::testing
