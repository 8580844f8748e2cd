#include "platform/registry.h"
#include "platform/registry_names.h"

namespace kinloom::platform {

using namespace registry_detail;

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
