#pragma once

// The stand-in host as COM objects: the running application, its map document, data frames,
// views, layers, bookmarks and page layout over a stand-in application, with the vtable layouts
// of the host's own interfaces as the stand-in's IDL declares them (idl/host_library.idl), apart
// from the module's declarations: the two meet only through COM, by interface ids. While it lives,
// the application reference and envelope classes are served from this process by their class ids,
// so that a command made in it reaches the host as it would inside the host.

#include <windows.h>

#include <map>
#include <memory>
#include <typeindex>
#include <utility>

#include "host_library.h"  // the host's interfaces as the stand-in declares them (idl/)
#include "hosts/comhost/envelope_object.h"
#include "hosts/comhost/host_object.h"
#include "hosts/standin/application.h"

namespace cw::comhost {

class ApplicationObject;
class ApplicationReferenceClass;

class ComHost {
 public:
  // Registers the two classes in this thread's apartment (COM initialised before).
  explicit ComHost(standin::Application& application);
  ~ComHost();
  ComHost(const ComHost&) = delete;
  ComHost& operator=(const ComHost&) = delete;

  // S_OK when both classes are served.
  HRESULT registered() const { return registered_; }
  // No new instances of the two classes from here on (before COM is shut down in the thread);
  // the objects handed out stay valid.
  void stopServing();

  standin::Application& standin() { return application_; }
  // The application object, without a reference of its own.
  ::IApplication* application();
  // How many times the application reference class made the application.
  int applicationInstancesMade() const;
  // The host's main window, which the application hands out as its window.
  void setMainWindow(HWND window) { mainWindow_ = window; }
  HWND mainWindow() const { return mainWindow_; }

  // The one object standing for `source` (made on first use). Kept by the kind of object as
  // well as the source's address: a stand-in object made where a freed one of another kind was
  // is never taken for it.
  template <typename Object, typename Source>
  Object& objectFor(Source& source) {
    std::unique_ptr<HostObject>& slot =
        objects_[{std::type_index(typeid(Object)), static_cast<const void*>(&source)}];
    if (!slot) slot = std::make_unique<Object>(*this, source);
    return static_cast<Object&>(*slot);
  }
  // The stand-in object that `object` stands for.
  const void* sourceOf(const HostObject& object) const;
  // References still held on the host's objects by others.
  LONG referencesHeld() const;

 private:
  standin::Application& application_;
  HWND mainWindow_ = nullptr;
  std::unique_ptr<ApplicationObject> applicationObject_;
  std::unique_ptr<ApplicationReferenceClass> applicationClass_;
  EnvelopeClass envelopeClass_;
  std::map<std::pair<std::type_index, const void*>, std::unique_ptr<HostObject>> objects_;
  DWORD applicationCookie_ = 0;
  DWORD envelopeCookie_ = 0;
  HRESULT registered_ = E_FAIL;
};

}  // namespace cw::comhost
