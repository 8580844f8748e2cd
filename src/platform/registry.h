// The current user's registry below HKEY_CURRENT_USER\Software\Brennick, where every option
// of the program lives between runs. Keys are named relative to that company key ("kinloom",
// "Links", "LinksF" …); values keep their registry type and raw bytes. Key and value names
// compare without regard to ASCII case, as the registry compares them, and keep the case of
// their first writing.
//
// Every operation returns 0 on success or an error code: a missing value is kErrorNotFound,
// a failed write carries the system's error code (errno). Implementations are not
// thread-safe; one object is used from one thread.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kinloom::platform {

// Registry value types, with the registry's own numbers.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// Error codes, with the same numbers as the registry's (they coincide with errno values).
inline constexpr int kErrorNotFound = 2;       // no such value
inline constexpr int kErrorInvalidName = 161;  // a key name the store cannot hold

struct RegValue {
  std::uint32_t type = kRegSz;
  std::string data;  // the stored bytes (REG_DWORD: 4 bytes, little-endian)

  bool operator==(const RegValue&) const = default;
};

// The company key every key name is relative to.
inline constexpr const char* kCompanyKeyPath = "HKEY_CURRENT_USER\\Software\\Brennick";

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens the key, creating it when it does not exist. A key comes into being in the stored
  // file with its first value; opening alone never writes. Returns 0 or the error code.
  virtual int OpenKey(const std::string& key) = 0;
  // Reads one value. kErrorNotFound when the key or the value does not exist.
  virtual int QueryValue(const std::string& key, const std::string& name, RegValue* value) = 0;
  // Creates or replaces one value. Returns 0 or the error code of the failed write; on
  // failure the stored copy is unchanged.
  virtual int SetValue(const std::string& key, const std::string& name, const RegValue& value) = 0;
  // Deletes one value. kErrorNotFound when it was not there (the store is unchanged).
  virtual int DeleteValue(const std::string& key, const std::string& name) = 0;
  // Every value of the key, in the store's order (by name, without regard to case).
  virtual int ListValues(const std::string& key,
                         std::vector<std::pair<std::string, RegValue>>* values) = 0;

  // Groups the sets and deletes up to the matching EndBatch into one change of the stored
  // copy: each returns 0 at once (unless its name is refused) and later reads see it, and
  // EndBatch stores them together, returning 0 or the error of that one write; on failure
  // none of them is kept. Batches nest; only the outermost EndBatch writes. A store that
  // writes each change cheaply may keep these as they are: every change is then its own.
  virtual void BeginBatch() {}
  virtual int EndBatch() { return 0; }
};

// What a registry file that cannot be parsed is reported with: the file, the line number of
// the first fault, what is wrong there, and where the file was kept aside (empty when it
// could not be moved).
struct RegistryFileFault {
  std::string path;
  int line = 0;
  std::string what;
  std::string backup_path;
};
using RegistryFaultReporter = std::function<void(const RegistryFileFault&)>;

// The registry as one REGEDIT4 text file:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Brennick\kinloom]
//   "Output File"="C:\\MyHTMLFiles"
//   "HTM"=hex:31
//   "Groups"=dword:0000000a
//
// Lines end in CR LF; LF alone is accepted on reading, as are ";" comment lines, blank
// lines and hex lists continued with "\". REG_SZ holds the 8-bit text with \ and " escaped;
// a text holding a control character is written as hex(1): so that it reads back exactly.
//
// Every change (or batch of changes) re-reads the file, applies itself and replaces the file
// atomically (temporary file beside it, fsync, rename), holding an advisory lock on "<file>.lock"
// meanwhile, so that two processes saving at once do not lose each other's values. A file
// that cannot be parsed is reported once through the reporter, moved aside to
// "<file>.bad" (or "<file>.bad.N" when that exists) and treated as empty; when it cannot be
// moved, writes fail rather than overwrite it.
class FileRegistry : public Registry {
 public:
  FileRegistry(std::string path, RegistryFaultReporter reporter);
  FileRegistry(const FileRegistry&) = delete;
  FileRegistry& operator=(const FileRegistry&) = delete;
  ~FileRegistry() override;

  int OpenKey(const std::string& key) override;
  int QueryValue(const std::string& key, const std::string& name, RegValue* value) override;
  int SetValue(const std::string& key, const std::string& name, const RegValue& value) override;
  int DeleteValue(const std::string& key, const std::string& name) override;
  int ListValues(const std::string& key,
                 std::vector<std::pair<std::string, RegValue>>* values) override;
  void BeginBatch() override;
  int EndBatch() override;

  const std::string& path() const { return path_; }

 private:
  struct Contents;
  using ChangeFunction = std::function<int(Contents&)>;
  // Applies `change` now, or in a batch to the copy in memory, keeping it for EndBatch.
  int Apply(ChangeFunction change);
  // Refreshes contents_ from the file when it changed (always when `force`, except for a bad
  // file already reported); returns the error code.
  int Load(bool force = false);
  int Change(const std::function<int(Contents&)>& change);

  std::string path_;
  RegistryFaultReporter reporter_;
  std::unique_ptr<Contents> contents_;
  bool unmovable_fault_ = false;  // a bad file stayed in place: never overwrite it
  int fault_error_ = 0;           // why it could not be moved
  int batch_depth_ = 0;
  std::vector<ChangeFunction> pending_;  // the batch's changes, in order
};

// The registry held in memory, for tests: writes can be made to fail on request.
class MemoryRegistry : public Registry {
 public:
  int OpenKey(const std::string& key) override;
  int QueryValue(const std::string& key, const std::string& name, RegValue* value) override;
  int SetValue(const std::string& key, const std::string& name, const RegValue& value) override;
  int DeleteValue(const std::string& key, const std::string& name) override;
  int ListValues(const std::string& key,
                 std::vector<std::pair<std::string, RegValue>>* values) override;

  // From now on, every write (set or delete) after the next `successes` ones fails with
  // `error`. FailWritesAfter(0, 13) makes the very next write fail.
  void FailWritesAfter(int successes, int error) {
    writes_before_failure_ = successes;
    write_error_ = error;
  }
  // Opening any key fails with `error` (0: opening works again).
  void FailOpen(int error) { open_error_ = error; }

  // Every successful write, in order, as "key\name".
  std::vector<std::string> writes;
  int failed_writes = 0;

 private:
  int WriteAllowed();

  std::map<std::string, std::map<std::string, std::pair<std::string, RegValue>>> keys_;
  int writes_before_failure_ = -1;
  int write_error_ = 0;
  int open_error_ = 0;
};

// Parses REGEDIT4 text into keys (full key paths as written) and their values, in the
// file's order. Returns false with the 1-based line number and a description of the fault.
struct RegistryFileKey {
  std::string path;
  std::vector<std::pair<std::string, RegValue>> values;
};
bool ParseRegistryFile(const std::string& text, std::vector<RegistryFileKey>* keys, int* line,
                       std::string* what);
// Formats keys as REGEDIT4 text with CR LF line ends.
std::string FormatRegistryFile(const std::vector<RegistryFileKey>& keys);

// ${XDG_CONFIG_HOME:-$HOME/.config}/Brennick/registry.reg
std::string DefaultRegistryPath();
// The user's home folder ($HOME, else the password database entry); empty when unknown.
std::string UserHomeFolder();

}  // namespace kinloom::platform
