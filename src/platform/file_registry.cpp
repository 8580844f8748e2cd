#include "platform/registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/file_helpers.h"
#include "platform/file_lock.h"
#include "platform/registry_names.h"

namespace kinloom::platform {

using namespace registry_detail;

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
  // A change that stores what the file already holds (the same version stamp or output
  // folder as last time) leaves the file as it is: no rewrite, no flush.
  if (contents_->exists && text == FormatRegistryFile(contents_->ToFile())) return 0;
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

}  // namespace kinloom::platform
