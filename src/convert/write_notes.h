#pragma once

namespace cw::convert {

// What a writer changed to fit its format, for the report.
struct WriteNotes {
  int changedNames = 0;  // names holding characters the format cannot hold
  int renamedNames = 0;  // a second bookmark of a name the format holds once
};

}  // namespace cw::convert
