#include "hosts/comhost/com_host.h"

#include "hosts/comhost/application_objects.h"

namespace cw::comhost {

ComHost::ComHost(standin::Application& application)
    : application_(application),
      applicationObject_(std::make_unique<ApplicationObject>(*this)),
      applicationClass_(std::make_unique<ApplicationReferenceClass>(*applicationObject_)) {
  // Served to this process only: the host's classes are not the registry's to hand out.
  registered_ =
      ::CoRegisterClassObject(__uuidof(::AppRef), applicationClass_.get(), CLSCTX_INPROC_SERVER,
                              REGCLS_MULTIPLEUSE, &applicationCookie_);
  if (FAILED(registered_)) return;
  registered_ = ::CoRegisterClassObject(__uuidof(::Envelope), &envelopeClass_, CLSCTX_INPROC_SERVER,
                                        REGCLS_MULTIPLEUSE, &envelopeCookie_);
}

ComHost::~ComHost() {
  stopServing();
}

void ComHost::stopServing() {
  if (applicationCookie_) ::CoRevokeClassObject(applicationCookie_);
  if (envelopeCookie_) ::CoRevokeClassObject(envelopeCookie_);
  applicationCookie_ = envelopeCookie_ = 0;
}

::IApplication* ComHost::application() {
  return applicationObject_.get();
}

int ComHost::applicationInstancesMade() const {
  return applicationClass_->instancesMade();
}

const void* ComHost::sourceOf(const HostObject& object) const {
  for (const auto& [key, made] : objects_) {
    if (made.get() == &object) return key.second;
  }
  return nullptr;
}

LONG ComHost::referencesHeld() const {
  LONG held = applicationObject_->references();
  for (const auto& entry : objects_) held += entry.second->allReferences();
  return held;
}

}  // namespace cw::comhost
