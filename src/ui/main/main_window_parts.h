#pragma once

// What the bookmarks window's handlers reach through their parts (FrmMain's MainWindowParts),
// declared whole.

#include "base/product.h"
#include "errors/error_report.h"
#include "host/host.h"
#include "platform/file_slots.h"
#include "platform/file_system.h"
#include "platform/window_host.h"
#include "session/session.h"
#include "store/program_paths.h"
#include "store/storage.h"
#include "ui/controls/window_registry.h"
#include "ui/main/frm_main.h"
