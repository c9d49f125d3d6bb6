#pragma once

// The in-memory stand-in for the map host: documents, their drawing data, the call log.

#include "hosts/standin/application.h"
#include "hosts/standin/document.h"
#include "hosts/standin/document_files.h"
#include "hosts/standin/text_forms.h"
