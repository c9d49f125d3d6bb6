#include "hosts/com/com_application.h"

#include "errors/failure.h"
#include "hosts/com/com_document.h"
#include "hosts/com/com_ref.h"
#include "hosts/com/host_call.h"
#include "hosts/com/host_interfaces.h"

namespace cw::com {

namespace {

// The running application's map document, through a new application reference.
ComRef<IMxDocument> currentDocument() {
  ComRef<IApplication> application;
  hostCall(::CoCreateInstance(kClsidAppRef, nullptr, CLSCTX_INPROC_SERVER, kIidIApplication,
                              application.outVoid()));
  ComRef<IDispatch> document;
  hostObject(application->get_Document(document.out()), document);
  ComRef<IMxDocument> mapDocument;
  hostCall(document->QueryInterface(kIidIMxDocument, mapDocument.outVoid()));
  return mapDocument;
}

}  // namespace

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

host::HostFrame& ComApplication::createFrame() {
  throw Failure(err::kInternalError, "The host's frames are not available yet");
}

}  // namespace cw::com
