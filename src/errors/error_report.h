#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cw {
struct AppState;
}

namespace cw::errors {

// "" for 0, otherwise "Line : " and the number.
std::string FormatErrorLine(std::int32_t line);
// The 19-line report text, lines joined by CR LF, no break after the last.
std::string ReportText(std::string_view productName, std::string_view productVersion,
                       std::string_view label, std::int32_t number, std::string_view description);
// Shows the report in a message box (OK, no icon, default title).
void ReportError(AppState& app, std::string_view label, std::int32_t number,
                 std::string_view description);

}  // namespace cw::errors
