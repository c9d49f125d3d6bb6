#pragma once

namespace cw::convert {

// What a writer changed to fit its format, for the report.
struct WriteNotes {
  int changedNames = 0;  // names holding characters the format cannot hold
};

}  // namespace cw::convert
