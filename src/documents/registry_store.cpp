#include "documents/registry_store.h"

#include <algorithm>
#include <cctype>

namespace qv {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool HasEmptyLevel(const std::string& path) {
  if (path.empty() || path.front() == '\\' || path.back() == '\\') return true;
  return path.find("\\\\") != std::string::npos;
}

}  // namespace

long RegistryStore::CreateKey(const std::string& path) {
  if (HasEmptyLevel(path)) return kRegBadKeyName;
  const std::string lower = Lower(path);
  for (std::size_t at = lower.find('\\'); at != std::string::npos; at = lower.find('\\', at + 1)) {
    keys_.try_emplace(lower.substr(0, at));
  }
  keys_.try_emplace(lower);
  return kRegSuccess;
}

bool RegistryStore::KeyExists(const std::string& path) const {
  return keys_.count(Lower(path)) != 0;
}

long RegistryStore::SetValue(const std::string& path, const std::string& name,
                             const RegValue& value) {
  const auto key = keys_.find(Lower(path));
  if (key == keys_.end()) return kRegFileNotFound;
  key->second.values[Lower(name)] = value;
  return kRegSuccess;
}

long RegistryStore::QueryValue(const std::string& path, const std::string& name,
                               RegValue& value) const {
  const auto key = keys_.find(Lower(path));
  if (key == keys_.end()) return kRegFileNotFound;
  const auto found = key->second.values.find(Lower(name));
  if (found == key->second.values.end()) return kRegFileNotFound;
  value = found->second;
  return kRegSuccess;
}

long RegistryStore::DeleteKey(const std::string& path) {
  const std::string lower = Lower(path);
  const auto key = keys_.find(lower);
  if (key == keys_.end()) return kRegFileNotFound;
  const auto child = keys_.lower_bound(lower + "\\");
  if (child != keys_.end() && child->first.rfind(lower + "\\", 0) == 0) return kRegAccessDenied;
  keys_.erase(key);
  return kRegSuccess;
}

std::string StripNulls(const std::string& text) {
  const std::size_t nul = text.find('\0');
  return nul == std::string::npos ? text : text.substr(0, nul);
}

bool SetStringValue(RegistryStore& store, const std::string& key, const std::string& name,
                    const std::string& text) {
  RegValue value{RegType::String, text};
  value.data.push_back('\0');
  return store.SetValue(key, name, value) == kRegSuccess;
}

bool QueryStringValue(const RegistryStore& store, const std::string& key, const std::string& name,
                      std::string& text) {
  RegValue value;
  if (store.QueryValue(key, name, value) != kRegSuccess || value.type != RegType::String)
    return false;
  text = StripNulls(value.data);
  return true;
}

}  // namespace qv
