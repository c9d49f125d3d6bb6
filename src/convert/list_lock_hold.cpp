#include "convert/list_lock_hold.h"

#include <stdexcept>

#include "convert/bookmark.h"
#include "errors/error_report.h"
#include "platform/file_slots.h"
#include "platform/window_host.h"
#include "store/list_lock.h"
#include "store/storage.h"

namespace cw::convert {

namespace {

// The lock's only words to the user are its refusal, which becomes the converter's message; a
// program without windows has no pointer to set and nothing to ask.
class NoWindows : public platform::WindowHost {
 public:
  platform::MessageResult messageBox(std::string_view, platform::MessageButtons) override {
    return platform::MessageResult::kOk;
  }
  std::string inputBox(std::string_view) override {
    throw std::logic_error("the converter asks for no input");
  }
  void setMousePointer(platform::MousePointer) override {}
  platform::ScreenMetrics screen() override { return {}; }
  void showModal(ui::Window&) override { throw std::logic_error("the converter shows no window"); }
};

}  // namespace

struct ListLockHold::Held {
  explicit Held(platform::FileSystem& fs)
      : files(fs), report(windows, files, identity), storage{fs, files, windows, report} {}
  NoWindows windows;
  platform::FileSlots files;
  ProductIdentity identity;
  errors::ErrorReport report;
  store::Storage storage;
  std::unique_ptr<store::ListLock> lock;
};

ListLockHold::ListLockHold(platform::FileSystem& fs, const std::string& listPath,
                           const std::string& file)
    : held_(std::make_unique<Held>(fs)) {
  held_->lock = std::make_unique<store::ListLock>(held_->storage, listPath);
  if (!held_->lock->acquired()) {
    throw InputError(file, "",
                     "the list is in use by another program; nothing was written, try again");
  }
}

ListLockHold::~ListLockHold() = default;

}  // namespace cw::convert
