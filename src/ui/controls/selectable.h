#pragma once

#include <string>

namespace cw::ui {

// A control whose entries the user can pick one of (list boxes, drive and file lists). Picking
// an entry fires the control's Click (a drive list fires Change).
class Selectable {
 public:
  virtual ~Selectable() = default;
  virtual int entryCount() const = 0;
  virtual std::string entryText(int index) const = 0;
  virtual void selectEntry(int index) = 0;
};

// A control the user points at a place (a drive list at a drive, a directory list at a
// directory); it fires Change.
class Navigable {
 public:
  virtual ~Navigable() = default;
  virtual void navigate(const std::string& path) = 0;
};

}  // namespace cw::ui
