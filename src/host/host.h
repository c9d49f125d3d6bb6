#pragma once

// The map host as the system sees it: interfaces only, implemented by a host (the in-memory
// stand-in in src/hosts/standin, the GIS application itself).

#include "host/data_frame.h"
#include "host/envelope.h"
#include "host/host_document.h"
#include "host/host_frame.h"
#include "host/host_layer.h"
#include "host/host_view.h"
#include "host/layout_element.h"
#include "host/map_host.h"
#include "host/page_layout.h"
#include "host/spatial_bookmark.h"
