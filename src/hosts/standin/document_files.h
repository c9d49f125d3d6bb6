#pragma once

// Documents as files (see docs/host-document.md) and the built-in sample town.

#include <memory>
#include <string>
#include <string_view>

#include "hosts/standin/document.h"

namespace cw::standin {

// A bad document fails with a Failure that names the place and the fault.
std::unique_ptr<Document> loadDocument(std::string_view json);
std::unique_ptr<Document> sampleDocument();
std::string_view sampleDocumentJson();
// The document as it stands (extents, visibilities, focus, active view), in the same shape.
std::string saveDocument(const Document& document);

}  // namespace cw::standin
