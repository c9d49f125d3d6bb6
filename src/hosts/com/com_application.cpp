#include "hosts/com/com_application.h"

#include <utility>

#include "base/failure.h"
#include "hosts/com/com_document.h"
#include "hosts/com/com_ref.h"
#include "hosts/com/host_call.h"
#include "hosts/com/host_interfaces.h"
#include "hosts/com/ole_handle.h"

namespace cw::com {

IApplication& ComApplication::application() const {
  if (!application_) {
    ComRef<IApplication> made;
    hostObject(::CoCreateInstance(kClsidAppRef, nullptr, CLSCTX_INPROC_SERVER, kIidIApplication,
                                  made.outVoid()),
               made);
    application_ = std::move(made);
  }
  return *application_.get();
}

// The running application's map document.
ComRef<IMxDocument> ComApplication::currentDocument() const {
  ComRef<IDispatch> document;
  hostObject(application().get_Document(document.out()), document);
  ComRef<IMxDocument> mapDocument;
  hostCall(document->QueryInterface(kIidIMxDocument, mapDocument.outVoid()));
  return mapDocument;
}

ComApplication::ComApplication() = default;
ComApplication::~ComApplication() = default;

host::HostDocument& ComApplication::document() {
  ComRef<IMxDocument> current = currentDocument();
  if (!document_ || !sameObject(document_->object(), current.get())) {
    document_ = std::make_unique<ComDocument>(current.get());
  }
  return *document_;
}

bool ComApplication::hasDocument() const {
  try {
    return static_cast<bool>(currentDocument());
  } catch (const Failure&) {
    return false;
  }
}

HWND ComApplication::mainWindow() const {
  try {
    OLE_HANDLE window = 0;
    hostCall(application().get_hWnd(&window));
    return fromOleHandle<HWND>(window);
  } catch (const Failure&) {
    // A frame without an owner is still a window the user can use.
    return nullptr;
  }
}

}  // namespace cw::com
