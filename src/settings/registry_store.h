// The settings' view of the registry: the four value kinds with their encodings, the
// missing-value and failure results, the choice between the application key and a link
// key, and CheckSaved, which reports a failed write to the user.
//
// Each operation opens the current key, does its one access and is done; nothing stays
// open between two operations.
#pragma once

#include <cstdint>
#include <string>

#include "platform/registry.h"
#include "platform/ui.h"

namespace kinloom::settings {

// Longest text a read gives back; the bytes after it are cut.
inline constexpr std::size_t kMaxTextRead = 8095;
// What a write returns when the key cannot be opened.
inline constexpr int kKeyNotOpened = -1;

class RegistryStore {
 public:
  // `application_key` is the executable's base name ("kinloom"); it is also the caption of
  // CheckSaved's message. The registry and the interface must outlive the store.
  RegistryStore(platform::Registry& registry, platform::UserInterface& ui,
                std::string application_key = "kinloom");
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  // Readers. `status` (when given) receives the registry status: 0 when the value was read,
  // kErrorNotFound when it is missing, -1 when the key cannot be opened.
  // A text: the bytes up to the first NUL, at most kMaxTextRead of them; missing: empty;
  // key not opened: "-1".
  std::string ReadText(const std::string& name, int* status = nullptr);
  // An integer text: the leading decimal number (blanks and one sign allowed), 0 when there
  // is none, when the value is missing or when the key cannot be opened.
  int ReadIntText(const std::string& name, int* status = nullptr);
  // A dword: the 32-bit value; missing, not four bytes long, or key not opened: 0xFFFFFFFF.
  std::uint32_t ReadDword(const std::string& name, int* status = nullptr);
  // A real text: the leading decimal number, fraction included; 0.0 when there is none.
  double ReadReal(const std::string& name, int* status = nullptr);

  // Writers: 0 on success, the registry's error code on failure, kKeyNotOpened when the key
  // cannot be opened (nothing is written then).
  int WriteText(const std::string& name, const std::string& text);
  int WriteIntText(const std::string& name, int value);  // REG_BINARY "%d"
  int WriteDword(const std::string& name, std::uint32_t value);
  int WriteReal(const std::string& name, double value);  // "%f" through WriteText
  // Deletes a value; a value that is not there is no error (returns 0).
  int DeleteValue(const std::string& name);

  // Groups the writes up to the matching EndBatch into one change of the registry (see
  // platform::Registry::BeginBatch): EndBatch returns 0 or the error of the one write.
  void BeginBatch() { registry_.BeginBatch(); }
  int EndBatch() { return registry_.EndBatch(); }

  // True when `status` is 0. Otherwise shows the error box "Error occurred saving one or
  // more of your settings. …  Error Code = <status>" captioned with the application name
  // and returns false.
  bool CheckSaved(int status);

  // Makes the following operations use the key `key` below the company key ("Links" …)
  // instead of the application key, until SelectMainKey.
  void SelectLinksKey(const std::string& key) { current_key_ = key; }
  void SelectMainKey() { current_key_ = application_key_; }

  const std::string& application_key() const { return application_key_; }
  const std::string& current_key() const { return current_key_; }
  platform::Registry& registry() { return registry_; }
  platform::UserInterface& ui() { return ui_; }

 private:
  // Opens the current key and reads one raw value; returns the status.
  int Query(const std::string& name, platform::RegValue* value);
  int Write(const std::string& name, const platform::RegValue& value);

  platform::Registry& registry_;
  platform::UserInterface& ui_;
  std::string application_key_;
  std::string current_key_;
};

// The leading decimal integer of a text (blanks, one sign, digits), 0 when there is none;
// saturates at the int range.
int LeadingInteger(const std::string& text);
// The leading decimal number of a text, fraction and exponent included; 0.0 when none.
double LeadingReal(const std::string& text);
// A real printed as "%f" does in the C locale (2.52 -> "2.520000").
std::string FormatReal(double value);

}  // namespace kinloom::settings
