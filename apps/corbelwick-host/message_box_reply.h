#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Answers every message box shown on this thread while it lives with its default button, and
// hands each one's text to `heard`: a host run by a test must not wait for a person.
class MessageBoxReply {
 public:
  explicit MessageBoxReply(std::function<void(const std::wstring&)> heard);
  ~MessageBoxReply();
  MessageBoxReply(const MessageBoxReply&) = delete;
  MessageBoxReply& operator=(const MessageBoxReply&) = delete;

 private:
  static LRESULT CALLBACK onEvent(int code, WPARAM wParam, LPARAM lParam);
  std::function<void(const std::wstring&)> heard_;
  HHOOK hook_ = nullptr;
};
