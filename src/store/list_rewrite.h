#pragma once

#include <functional>
#include <string>

#include "store/list_format.h"

namespace cw::platform {
class FileSystem;
}

namespace cw::store {

// Rewrites a list in one atomic step: the records to keep are written to a fresh temporary
// file beside the list, flushed, and the temporary file then replaces the list. After any
// failure the list holds either all its old records or exactly the new ones; the temporary file
// is removed. `keep` decides per record read from the list.
void RewriteList(platform::FileSystem& fs, const std::string& listPath,
                 const std::function<bool(const Record&)>& keep);

// Copies every record left to read on file number `from` to the end of file number `to`, each
// as the record writer writes it; a record cut short fails after the records before it.
void CopyRecords(platform::FileSlots& files, int from, int to);

// Replaces a list's whole content with the given records, atomically as above.
void ReplaceListContent(platform::FileSystem& fs, const std::string& listPath,
                        const std::vector<Record>& records);

}  // namespace cw::store
