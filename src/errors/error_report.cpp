#include "errors/error_report.h"

#include "platform/window_host.h"

namespace cw::errors {

std::string FormatErrorLine(std::int32_t line) {
  if (line == 0) return "";
  return "Line : " + std::to_string(line);
}

std::string ReportText(std::string_view productName, std::string_view productVersion,
                       std::string_view label, std::int32_t number, std::string_view description) {
  const std::string lines[] = {
      "We're sorry, an unexpected error has occurred.",
      "",
      std::string("Please email ") + product::kSupportEmail + " and we'll",
      "be happy to help out.",
      "",
      "Please let us know the following:",
      "",
      "APPLICATION: " + std::string(productName) + " " + std::string(productVersion),
      "ERROR NUMBER: " + std::to_string(number),
      "MODULE: " + std::string(label),
      "ERROR DESCRIPTION: " + std::string(description),
      "",
      "If possible, please attach a screenshot of this",
      "message with your ArcMap project in the background.",
      "You can do this by pressing <CTRL> and <Prnt Screen>",
      "and then pasting the image into a graphics application",
      "such as Paint. Saving the image as a JPG is preferrable.",
      "",
      "Thank you!",
  };
  std::string text = lines[0];
  for (std::size_t i = 1; i < std::size(lines); ++i) text += "\r\n" + lines[i];
  return text;
}

void ErrorReport::ReportError(std::string_view label, std::int32_t number,
                              std::string_view description) const {
  windows_.messageBox(
      ReportText(identity_.ProductName, identity_.ProductVersion, label, number, description),
      platform::MessageButtons::kOk);
}

}  // namespace cw::errors
