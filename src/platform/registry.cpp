#include "platform/registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kinloom::platform {
namespace {

std::string Fold(const std::string& name) {
  std::string out = name;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool HasControl(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c == 0x7f) return true;
  return false;
}

bool ValidKeyName(const std::string& key) {
  if (key.empty() || HasControl(key)) return false;
  return key.find_first_of("\\[]") == std::string::npos;
}

std::string FullPath(const std::string& key) { return std::string(kCompanyKeyPath) + "\\" + key; }

// ---- REGEDIT4 text ----

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.pop_back();
  return s;
}

std::size_t SkipBlanks(const std::string& s, std::size_t i) {
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  return i;
}

// Reads a quoted text starting at s[i] == '"'; leaves i after the closing quote.
bool ParseQuoted(const std::string& s, std::size_t* i, std::string* out, std::string* what) {
  out->clear();
  std::size_t p = *i + 1;
  while (p < s.size()) {
    char c = s[p];
    if (c == '"') {
      *i = p + 1;
      return true;
    }
    if (c == '\\') {
      if (p + 1 >= s.size() || (s[p + 1] != '\\' && s[p + 1] != '"')) {
        *what = "unknown escape in a quoted text";
        return false;
      }
      out->push_back(s[p + 1]);
      p += 2;
      continue;
    }
    out->push_back(c);
    ++p;
  }
  *what = "quoted text not closed";
  return false;
}

void AppendQuoted(const std::string& text, std::string* out) {
  out->push_back('"');
  for (char c : text) {
    if (c == '\\' || c == '"') out->push_back('\\');
    out->push_back(c);
  }
  out->push_back('"');
}

void AppendHex(const std::string& bytes, std::string* out) {
  static const char kDigits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i != 0) out->push_back(',');
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    out->push_back(kDigits[b >> 4]);
    out->push_back(kDigits[b & 15]);
  }
}

void AppendValue(const std::string& name, const RegValue& value, std::string* out) {
  if (name.empty()) {
    out->push_back('@');
  } else {
    AppendQuoted(name, out);
  }
  out->push_back('=');
  if (value.type == kRegSz && !HasControl(value.data)) {
    AppendQuoted(value.data, out);
  } else if (value.type == kRegDword && value.data.size() == 4) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(value.data[i]);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "dword:%08x", v);
    out->append(buffer);
  } else {
    if (value.type == kRegBinary) {
      out->append("hex:");
    } else {
      char buffer[24];
      std::snprintf(buffer, sizeof buffer, "hex(%x):", value.type);
      out->append(buffer);
    }
    AppendHex(value.data, out);
  }
  out->append("\r\n");
}

// Parses the data after "=" of one value line (continuation lines already joined).
bool ParseData(const std::string& s, std::size_t i, RegValue* value, std::string* what) {
  if (i < s.size() && s[i] == '"') {
    value->type = kRegSz;
    if (!ParseQuoted(s, &i, &value->data, what)) return false;
    if (SkipBlanks(s, i) != s.size()) {
      *what = "unexpected text after a quoted value";
      return false;
    }
    return true;
  }
  if (s.compare(i, 6, "dword:") == 0) {
    std::string digits = s.substr(i + 6);
    while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t')) digits.pop_back();
    if (digits.empty() || digits.size() > 8) {
      *what = "a dword needs 1 to 8 hexadecimal digits";
      return false;
    }
    std::uint32_t v = 0;
    for (char c : digits) {
      int d = HexDigit(c);
      if (d < 0) {
        *what = "a dword needs 1 to 8 hexadecimal digits";
        return false;
      }
      v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    value->type = kRegDword;
    value->data.assign(4, '\0');
    for (int b = 0; b < 4; ++b) value->data[b] = static_cast<char>((v >> (8 * b)) & 0xff);
    return true;
  }
  if (s.compare(i, 3, "hex") != 0) {
    *what = "unknown value data";
    return false;
  }
  i += 3;
  value->type = kRegBinary;
  if (i < s.size() && s[i] == '(') {
    std::size_t close = s.find(')', i);
    if (close == std::string::npos || close == i + 1 || close - i > 9) {
      *what = "bad hex type";
      return false;
    }
    std::uint32_t type = 0;
    for (std::size_t p = i + 1; p < close; ++p) {
      int d = HexDigit(s[p]);
      if (d < 0) {
        *what = "bad hex type";
        return false;
      }
      type = (type << 4) | static_cast<std::uint32_t>(d);
    }
    value->type = type;
    i = close + 1;
  }
  if (i >= s.size() || s[i] != ':') {
    *what = "expected ':' after hex";
    return false;
  }
  ++i;
  value->data.clear();
  for (;;) {
    i = SkipBlanks(s, i);
    if (i >= s.size()) break;
    if (i + 1 >= s.size() || HexDigit(s[i]) < 0 || HexDigit(s[i + 1]) < 0) {
      *what = "bad byte in a hex list";
      return false;
    }
    value->data.push_back(static_cast<char>(HexDigit(s[i]) * 16 + HexDigit(s[i + 1])));
    i = SkipBlanks(s, i + 2);
    if (i >= s.size()) break;
    if (s[i] != ',') {
      *what = "expected ',' in a hex list";
      return false;
    }
    ++i;
  }
  return true;
}

int ErrnoOr(int fallback) { return errno != 0 ? errno : fallback; }

int WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return ErrnoOr(EIO);
    }
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

std::string Folder(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Creates the folder and its missing parents.
int MakeFolders(const std::string& folder) {
  struct stat st;
  if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
  std::string parent = Folder(folder);
  if (parent != folder) {
    int error = MakeFolders(parent);
    if (error != 0) return error;
  }
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return ErrnoOr(EIO);
  return 0;
}

int ReadWholeFile(const std::string& path, std::string* out, struct stat* st) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ErrnoOr(EIO);
  int error = 0;
  if (::fstat(fd, st) != 0) error = ErrnoOr(EIO);
  out->clear();
  char buffer[65536];
  while (error == 0) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = ErrnoOr(EIO);
    } else if (n == 0) {
      break;
    } else {
      out->append(buffer, static_cast<std::size_t>(n));
    }
  }
  ::close(fd);
  return error;
}

// Holds an exclusive advisory lock on "<path>.lock" for its lifetime.
class FileLock {
 public:
  explicit FileLock(const std::string& path) {
    fd_ = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) {
      error_ = ErrnoOr(EIO);
      return;
    }
    while (::flock(fd_, LOCK_EX) != 0) {
      if (errno != EINTR) {
        error_ = ErrnoOr(EIO);
        return;
      }
    }
  }
  ~FileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  int error() const { return error_; }

 private:
  int fd_ = -1;
  int error_ = 0;
};

}  // namespace

bool ParseRegistryFile(const std::string& text, std::vector<RegistryFileKey>* keys, int* line,
                       std::string* what) {
  keys->clear();
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      if (start < text.size()) lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  bool header = false;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    *line = static_cast<int>(n) + 1;
    std::string s = TrimRight(lines[n]);
    std::size_t i = SkipBlanks(s, 0);
    if (i == s.size()) continue;
    if (!header) {
      if (s.substr(i) != "REGEDIT4") {
        *what = "the file does not start with REGEDIT4";
        return false;
      }
      header = true;
      continue;
    }
    if (s[i] == ';') continue;
    if (s[i] == '[') {
      if (s.back() != ']' || s.size() - i < 3) {
        *what = "bad key line";
        return false;
      }
      keys->push_back({s.substr(i + 1, s.size() - i - 2), {}});
      continue;
    }
    if (s[i] != '"' && s[i] != '@') {
      *what = "expected a key or a value";
      return false;
    }
    if (keys->empty()) {
      *what = "a value before the first key";
      return false;
    }
    std::string name;
    if (s[i] == '@') {
      ++i;
    } else if (!ParseQuoted(s, &i, &name, what)) {
      return false;
    }
    i = SkipBlanks(s, i);
    if (i >= s.size() || s[i] != '=') {
      *what = "expected '=' after the value name";
      return false;
    }
    i = SkipBlanks(s, i + 1);
    // A hex list may go on over lines that end in "\".
    if (s.compare(i, 3, "hex") == 0) {
      while (!s.empty() && s.back() == '\\' && n + 1 < lines.size()) {
        s.pop_back();
        s += TrimRight(lines[++n]);
      }
    }
    RegValue value;
    if (!ParseData(s, i, &value, what)) return false;
    auto& values = keys->back().values;
    bool replaced = false;
    for (auto& [existing, v] : values) {
      if (Fold(existing) == Fold(name)) {
        v = value;
        replaced = true;
        break;
      }
    }
    if (!replaced) values.emplace_back(name, std::move(value));
  }
  if (!header) {
    *line = 1;
    *what = "the file does not start with REGEDIT4";
    return false;
  }
  return true;
}

std::string FormatRegistryFile(const std::vector<RegistryFileKey>& keys) {
  std::string out = "REGEDIT4\r\n";
  for (const RegistryFileKey& key : keys) {
    out += "\r\n[" + key.path + "]\r\n";
    for (const auto& [name, value] : key.values) AppendValue(name, value, &out);
  }
  out += "\r\n";
  return out;
}

std::string UserHomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return home;
  struct passwd* pw = ::getpwuid(::getuid());
  if (pw != nullptr && pw->pw_dir != nullptr) return pw->pw_dir;
  return "";
}

std::string DefaultRegistryPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (xdg != nullptr && xdg[0] == '/') {
    base = xdg;
  } else {
    base = UserHomeFolder() + "/.config";
  }
  return base + "/Brennick/registry.reg";
}

// ---- FileRegistry ----

struct FileRegistry::Contents {
  struct Key {
    std::string path;  // full key path as first written
    std::map<std::string, std::pair<std::string, RegValue>> values;  // by folded name
  };
  std::map<std::string, Key> keys;  // by folded full path

  // Identity of the file these contents were read from.
  bool loaded = false;
  bool exists = false;
  bool bad = false;  // the file remembered could not be parsed (and has been reported)
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = 0;
  struct timespec mtime = {};
  struct timespec ctime = {};

  bool Same(const struct stat& st) const {
    return loaded && exists && st.st_dev == dev && st.st_ino == ino && st.st_size == size &&
           st.st_mtim.tv_sec == mtime.tv_sec && st.st_mtim.tv_nsec == mtime.tv_nsec &&
           st.st_ctim.tv_sec == ctime.tv_sec && st.st_ctim.tv_nsec == ctime.tv_nsec;
  }
  void Remember(const struct stat& st) {
    loaded = exists = true;
    bad = false;
    dev = st.st_dev;
    ino = st.st_ino;
    size = st.st_size;
    mtime = st.st_mtim;
    ctime = st.st_ctim;
  }
  void SetFrom(const std::vector<RegistryFileKey>& parsed) {
    keys.clear();
    for (const RegistryFileKey& k : parsed) {
      Key& key = keys[Fold(k.path)];
      if (key.path.empty()) key.path = k.path;
      for (const auto& [name, value] : k.values) {
        auto& slot = key.values[Fold(name)];
        if (slot.first.empty()) slot.first = name;
        slot.second = value;
      }
    }
  }
  std::vector<RegistryFileKey> ToFile() const {
    std::vector<RegistryFileKey> out;
    for (const auto& [folded, key] : keys) {
      RegistryFileKey k{key.path, {}};
      for (const auto& [fn, value] : key.values) k.values.push_back(value);
      out.push_back(std::move(k));
    }
    return out;
  }
  Key* Find(const std::string& key) {
    auto it = keys.find(Fold(FullPath(key)));
    return it == keys.end() ? nullptr : &it->second;
  }
};

FileRegistry::FileRegistry(std::string path, RegistryFaultReporter reporter)
    : path_(std::move(path)), reporter_(std::move(reporter)), contents_(new Contents) {}

FileRegistry::~FileRegistry() = default;

int FileRegistry::Load(bool force) {
  // In a batch the copy in memory holds changes not yet stored: keep it.
  if (batch_depth_ > 0 && !force) return 0;
  struct stat st;
  if (::stat(path_.c_str(), &st) != 0) {
    if (errno != ENOENT && errno != ENOTDIR) return ErrnoOr(EIO);  // no file yet: empty
    contents_->keys.clear();
    contents_->loaded = true;
    contents_->exists = false;
    unmovable_fault_ = false;
    return 0;
  }
  if (contents_->Same(st) && (!force || contents_->bad)) return 0;
  std::string text;
  int error = ReadWholeFile(path_, &text, &st);
  if (error != 0) return error;
  std::vector<RegistryFileKey> parsed;
  int line = 0;
  std::string what;
  if (ParseRegistryFile(text, &parsed, &line, &what)) {
    contents_->SetFrom(parsed);
    contents_->Remember(st);
    unmovable_fault_ = false;
    return 0;
  }
  // Keep the bad file aside under a name nothing else uses, and go on with an empty store.
  RegistryFileFault fault{path_, line, what, ""};
  for (int n = 0; n < 1000 && fault.backup_path.empty(); ++n) {
    std::string candidate = path_ + ".bad" + (n == 0 ? std::string() : "." + std::to_string(n));
    struct stat existing;
    if (::lstat(candidate.c_str(), &existing) == 0) continue;
    if (::rename(path_.c_str(), candidate.c_str()) == 0) {
      fault.backup_path = candidate;
    } else {
      fault_error_ = ErrnoOr(EIO);
      break;
    }
  }
  contents_->keys.clear();
  if (fault.backup_path.empty()) {
    // The file stays where it is: remember it so that it is reported once, and refuse to
    // write over it.
    if (fault_error_ == 0) fault_error_ = EEXIST;
    unmovable_fault_ = true;
    contents_->Remember(st);
    contents_->bad = true;
  } else {
    contents_->loaded = true;
    contents_->exists = false;
  }
  if (reporter_) reporter_(fault);
  return 0;
}

int FileRegistry::Change(const std::function<int(Contents&)>& change) {
  int error = MakeFolders(Folder(path_));
  if (error != 0) return error;
  FileLock lock(path_);
  if (lock.error() != 0) return lock.error();
  // Under the lock, always start from what is on disk now.
  error = Load(/*force=*/true);
  if (error != 0) return error;
  if (unmovable_fault_) return fault_error_;
  Contents updated = *contents_;
  error = change(updated);
  if (error != 0) return error;

  std::string text = FormatRegistryFile(updated.ToFile());
  std::string temp = path_ + ".tmp." + std::to_string(::getpid());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return ErrnoOr(EIO);
  error = WriteAll(fd, text);
  if (error == 0 && ::fsync(fd) != 0) error = ErrnoOr(EIO);
  if (::close(fd) != 0 && error == 0) error = ErrnoOr(EIO);
  if (error == 0 && ::rename(temp.c_str(), path_.c_str()) != 0) error = ErrnoOr(EIO);
  if (error != 0) {
    ::unlink(temp.c_str());
    return error;
  }
  int dir = ::open(Folder(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  *contents_ = std::move(updated);
  struct stat st;
  if (::stat(path_.c_str(), &st) == 0) {
    contents_->Remember(st);
  } else {
    contents_->loaded = false;
  }
  return 0;
}

int FileRegistry::OpenKey(const std::string& key) {
  if (!ValidKeyName(key)) return kErrorInvalidName;
  return Load();
}

int FileRegistry::QueryValue(const std::string& key, const std::string& name, RegValue* value) {
  if (!ValidKeyName(key)) return kErrorInvalidName;
  int error = Load();
  if (error != 0) return error;
  Contents::Key* k = contents_->Find(key);
  if (k == nullptr) return kErrorNotFound;
  auto it = k->values.find(Fold(name));
  if (it == k->values.end()) return kErrorNotFound;
  *value = it->second.second;
  return 0;
}

int FileRegistry::Apply(ChangeFunction change) {
  if (batch_depth_ == 0) return Change(change);
  int error = change(*contents_);
  if (error == 0) pending_.push_back(std::move(change));
  return error;
}

void FileRegistry::BeginBatch() {
  if (batch_depth_++ == 0) {
    pending_.clear();
    Load();
  }
}

int FileRegistry::EndBatch() {
  if (batch_depth_ == 0 || --batch_depth_ > 0) return 0;
  std::vector<ChangeFunction> changes = std::move(pending_);
  pending_.clear();
  if (changes.empty()) return 0;
  int error = Change([&changes](Contents& c) {
    for (const ChangeFunction& change : changes) {
      // A delete whose value someone else removed meanwhile has nothing left to do.
      int e = change(c);
      if (e != 0 && e != kErrorNotFound) return e;
    }
    return 0;
  });
  if (error != 0) Load(/*force=*/true);  // drop the unstored changes from memory
  return error;
}

int FileRegistry::SetValue(const std::string& key, const std::string& name, const RegValue& value) {
  if (!ValidKeyName(key) || HasControl(name)) return kErrorInvalidName;
  return Apply([full = FullPath(key), name, value](Contents& c) {
    Contents::Key& k = c.keys[Fold(full)];
    if (k.path.empty()) k.path = full;
    auto& slot = k.values[Fold(name)];
    if (slot.first.empty()) slot.first = name;
    slot.second = value;
    return 0;
  });
}

int FileRegistry::DeleteValue(const std::string& key, const std::string& name) {
  if (!ValidKeyName(key)) return kErrorInvalidName;
  // Nothing to do (and nothing to write) when the value is not there.
  RegValue ignored;
  int error = QueryValue(key, name, &ignored);
  if (error != 0) return error;
  return Apply([key, name](Contents& c) {
    Contents::Key* k = c.Find(key);
    if (k == nullptr || k->values.erase(Fold(name)) == 0) return kErrorNotFound;
    return 0;
  });
}

int FileRegistry::ListValues(const std::string& key,
                             std::vector<std::pair<std::string, RegValue>>* values) {
  values->clear();
  if (!ValidKeyName(key)) return kErrorInvalidName;
  int error = Load();
  if (error != 0) return error;
  Contents::Key* k = contents_->Find(key);
  if (k == nullptr) return 0;
  for (const auto& [folded, value] : k->values) values->push_back(value);
  return 0;
}

// ---- MemoryRegistry ----

int MemoryRegistry::WriteAllowed() {
  if (writes_before_failure_ < 0) return 0;
  if (writes_before_failure_ > 0) {
    --writes_before_failure_;
    return 0;
  }
  ++failed_writes;
  return write_error_;
}

int MemoryRegistry::OpenKey(const std::string& key) {
  if (open_error_ != 0) return open_error_;
  return ValidKeyName(key) ? 0 : kErrorInvalidName;
}

int MemoryRegistry::QueryValue(const std::string& key, const std::string& name, RegValue* value) {
  auto k = keys_.find(Fold(key));
  if (k == keys_.end()) return kErrorNotFound;
  auto v = k->second.find(Fold(name));
  if (v == k->second.end()) return kErrorNotFound;
  *value = v->second.second;
  return 0;
}

int MemoryRegistry::SetValue(const std::string& key, const std::string& name,
                             const RegValue& value) {
  if (!ValidKeyName(key) || HasControl(name)) return kErrorInvalidName;
  int error = WriteAllowed();
  if (error != 0) return error;
  auto& slot = keys_[Fold(key)][Fold(name)];
  if (slot.first.empty()) slot.first = name;
  slot.second = value;
  writes.push_back(key + "\\" + name);
  return 0;
}

int MemoryRegistry::DeleteValue(const std::string& key, const std::string& name) {
  auto k = keys_.find(Fold(key));
  if (k == keys_.end() || k->second.count(Fold(name)) == 0) return kErrorNotFound;
  int error = WriteAllowed();
  if (error != 0) return error;
  k->second.erase(Fold(name));
  writes.push_back("-" + key + "\\" + name);
  return 0;
}

int MemoryRegistry::ListValues(const std::string& key,
                               std::vector<std::pair<std::string, RegValue>>* values) {
  values->clear();
  auto k = keys_.find(Fold(key));
  if (k == keys_.end()) return 0;
  for (const auto& [folded, value] : k->second) values->push_back(value);
  return 0;
}

}  // namespace kinloom::platform
