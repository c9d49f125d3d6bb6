#pragma once

#include <cstdint>
#include <string>

namespace cw::host {
class MapHost;
}

namespace cw {

class Module;
struct Session;

// Fixed identities of the module (our own GUIDs).
namespace com_identity {
inline constexpr const char* kTypeLibraryName = "CorbelwickGIS";
inline constexpr const char* kTypeLibraryId = "{6F1B3C2A-7D4E-4B8A-9C1D-2E3F4A5B6C70}";
inline constexpr int kTypeLibraryMajor = 1;
inline constexpr int kTypeLibraryMinor = 0;
inline constexpr int kTypeLibraryLocale = 1033;
inline constexpr const char* kClassName = "CorbelwickBookmarks";
inline constexpr const char* kClassId = "{6F1B3C2A-7D4E-4B8A-9C1D-2E3F4A5B6C71}";
inline constexpr const char* kDefaultInterfaceName = "_CorbelwickBookmarks";
inline constexpr const char* kDefaultInterfaceId = "{6F1B3C2A-7D4E-4B8A-9C1D-2E3F4A5B6C72}";
inline constexpr const char* kICommandId = "{36B06538-4437-11D1-B970-080009EE4E51}";  // the host's
}  // namespace com_identity

// 16-bit booleans of the command interface.
using VariantBool = std::int16_t;
inline constexpr VariantBool kVariantTrue = -1;
inline constexpr VariantBool kVariantFalse = 0;

// A 16 x 16, 24-bit picture: rows top to bottom, 3 bytes (R, G, B) per pixel.
struct Bitmap16 {
  static constexpr int kSize = 16;
  unsigned char rgb[kSize * kSize * 3];
};

// The host's command interface, in its member order.
class ICommand {
 public:
  virtual ~ICommand() = default;
  virtual VariantBool Enabled() = 0;
  virtual VariantBool Checked() = 0;
  virtual std::string Name() = 0;
  virtual std::string Caption() = 0;
  virtual std::string Tooltip() = 0;
  virtual std::string Message() = 0;
  virtual std::string HelpFile() = 0;
  virtual std::int32_t HelpContextID() = 0;
  virtual const Bitmap16& Bitmap() = 0;
  virtual std::string Category() = 0;
  virtual void OnCreate(host::MapHost* hook) = 0;
  virtual void OnClick() = 0;
};

// The one creatable class: the toolbar command that opens the bookmarks window.
class CorbelwickBookmarks : public ICommand {
 public:
  explicit CorbelwickBookmarks(Module& module) : module_(module) {}

  VariantBool Enabled() override { return kVariantTrue; }
  VariantBool Checked() override { return kVariantFalse; }
  std::string Name() override;
  std::string Caption() override;
  std::string Tooltip() override;
  std::string Message() override;
  std::string HelpFile() override { return ""; }
  std::int32_t HelpContextID() override { return 0; }
  const Bitmap16& Bitmap() override;
  std::string Category() override;
  void OnCreate(host::MapHost* hook) override;
  void OnClick() override;

 private:
  Module& module_;
  host::MapHost* application_ = nullptr;
};

// Module routines of the data check.
std::int32_t GetDataFrameCount(Session& session);
std::int32_t GetLayerCount(Session& session, std::int32_t index);

}  // namespace cw
