// The command as the host meets it through the module's exports: its class factory, the
// interfaces it answers, its references, its properties before and after its creation hook, and
// when the module may be unloaded.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
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

const CLSID kClsid = guidOf(com_identity::kClassId);
const IID kDefaultInterface = guidOf(com_identity::kDefaultInterfaceId);

HRESULT canUnloadNow() {
  return Server::loaded().canUnloadNow();
}

class CommandObject : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Server::loaded().module, nullptr) << "cannot load the module";
    ASSERT_NE(Server::loaded().canUnloadNow, nullptr);
    // Every test gives back what it took: nothing of the module is alive in between.
    ASSERT_EQ(canUnloadNow(), S_OK);
  }
  void TearDown() override { EXPECT_EQ(canUnloadNow(), S_OK) << "an object is still alive"; }
};

// The command interface the module answers is the host's, as the core records its id.
TEST(CommandIdentity, TheCommandInterfaceIsTheOneTheCoreRecords) {
  EXPECT_TRUE(IsEqualIID(kIidICommand, guidOf(com_identity::kICommandId)));
}

// --- the class factory and the exports ---------------------------------------------------

TEST_F(CommandObject, TheFactoryServesOnlyItsClass) {
  const Server& server = Server::loaded();
  struct Case {
    const char* what;
    CLSID clsid;
    IID iid;
    HRESULT expected;
  };
  const IID kOther = guidOf("{01234567-89AB-CDEF-0123-456789ABCDEF}");
  const std::vector<Case> cases = {
      {"the class factory", kClsid, IID_IClassFactory, S_OK},
      {"its IUnknown", kClsid, IID_IUnknown, S_OK},
      {"another class", kOther, IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
      {"another interface of the factory", kClsid, kIidICommand, E_NOINTERFACE},
  };
  for (const Case& c : cases) {
    IUnknown* object = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(server.getClassObject(c.clsid, c.iid, reinterpret_cast<void**>(&object)), c.expected)
        << c.what;
    if (SUCCEEDED(c.expected)) {
      ASSERT_NE(object, nullptr) << c.what;
      object->Release();
    } else {
      EXPECT_EQ(object, nullptr) << c.what << ": a failed call hands out nothing";
    }
  }
  EXPECT_EQ(server.getClassObject(kClsid, IID_IClassFactory, nullptr), E_POINTER);
}

TEST_F(CommandObject, TheFactoryRefusesAggregationAndMissingPlaces) {
  Ref<IClassFactory> factory = classFactory();
  ASSERT_TRUE(factory);
  FakeHook outer(false);
  Ref<ICommand> command;
  EXPECT_EQ(factory->CreateInstance(&outer, kIidICommand, command.out()), CLASS_E_NOAGGREGATION);
  EXPECT_FALSE(command);
  EXPECT_EQ(factory->CreateInstance(nullptr, kIidICommand, nullptr), E_POINTER);
  const IID kOther = guidOf("{01234567-89AB-CDEF-0123-456789ABCDEF}");
  EXPECT_EQ(factory->CreateInstance(nullptr, kOther, command.out()), E_NOINTERFACE);
  EXPECT_FALSE(command);
  EXPECT_EQ(outer.references(), 1);
}

// --- interfaces and references -----------------------------------------------------------

TEST_F(CommandObject, AnswersItsFourInterfacesWithOneIdentity) {
  Ref<ICommand> command = newCommand();
  ASSERT_TRUE(command);
  Ref<IUnknown> identity;
  ASSERT_EQ(command->QueryInterface(IID_IUnknown, identity.out()), S_OK);

  struct Case {
    const char* name;
    IID iid;
    bool answered;
  };
  const std::vector<Case> cases = {
      {"IUnknown", IID_IUnknown, true},
      {"ICommand", kIidICommand, true},
      {"IDispatch", IID_IDispatch, true},
      {"_CorbelwickBookmarks", kDefaultInterface, true},
      {"IClassFactory", IID_IClassFactory, false},
      {"IPersist", IID_IPersist, false},
      {"the host's application", kIidIApplication, false},
  };
  for (const Case& c : cases) {
    Ref<IUnknown> asked;
    const HRESULT result = command->QueryInterface(c.iid, asked.out());
    if (!c.answered) {
      EXPECT_EQ(result, E_NOINTERFACE) << c.name;
      EXPECT_FALSE(asked) << c.name;
      continue;
    }
    ASSERT_EQ(result, S_OK) << c.name;
    // Whatever interface it is asked through, the object is the same one.
    Ref<IUnknown> back;
    ASSERT_EQ(asked->QueryInterface(IID_IUnknown, back.out()), S_OK) << c.name;
    EXPECT_EQ(back.get(), identity.get()) << c.name;
    Ref<ICommand> asCommand;
    ASSERT_EQ(asked->QueryInterface(kIidICommand, asCommand.out()), S_OK) << c.name;
    EXPECT_EQ(asCommand.get(), command.get()) << c.name;
  }
  EXPECT_EQ(command->QueryInterface(kIidICommand, nullptr), E_POINTER);
}

TEST_F(CommandObject, CountsEveryReferenceAndGoesWithTheLast) {
  Ref<ICommand> command = newCommand();
  ASSERT_TRUE(command);
  EXPECT_EQ(referencesOf(command.get()), 1u) << "a new instance has the creator's reference";
  EXPECT_EQ(command->AddRef(), 2u);
  Ref<IDispatch> dispatch;
  ASSERT_EQ(command->QueryInterface(IID_IDispatch, dispatch.out()), S_OK);
  EXPECT_EQ(referencesOf(command.get()), 3u) << "one interface's references are the object's";
  EXPECT_EQ(dispatch->Release(), 2u);
  dispatch.release();
  EXPECT_EQ(command->Release(), 1u);
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  EXPECT_EQ(command.release()->Release(), 0u);
}

TEST_F(CommandObject, TheModuleStaysWhileAnythingOfItIsHeld) {
  Ref<IClassFactory> factory = classFactory();
  ASSERT_TRUE(factory);
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "a factory is held";

  Ref<ICommand> command;
  ASSERT_EQ(factory->CreateInstance(nullptr, kIidICommand, command.out()), S_OK);
  ASSERT_EQ(factory->LockServer(TRUE), S_OK);
  factory = Ref<IClassFactory>();
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "a command and a lock are held";

  command = Ref<ICommand>();
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "a lock is held";

  factory = classFactory();
  ASSERT_TRUE(factory);
  ASSERT_EQ(factory->LockServer(FALSE), S_OK);
  factory = Ref<IClassFactory>();
  EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(CommandObject, TheDefaultInterfaceHasNoMembersToCall) {
  Ref<IDispatch> dispatch;
  {
    Ref<ICommand> command = newCommand();
    ASSERT_TRUE(command);
    ASSERT_EQ(command->QueryInterface(IID_IDispatch, dispatch.out()), S_OK);
  }
  UINT count = 7;
  EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 0u);
  wchar_t name[] = L"Caption";
  LPOLESTR names[] = {name};
  DISPID id = 0;
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 1033, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);
  DISPPARAMS none{};
  EXPECT_EQ(dispatch->Invoke(1, IID_NULL, 1033, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
}

}  // namespace
}  // namespace cw::com::testing
