#include "documents/registry_keys.h"

#include <array>
#include <functional>
#include <utility>

#include "documents/file_association.h"
#include "documents/registry_store.h"

namespace qv {
namespace {

constexpr char kRootPrefix[] = "HKEY_";
constexpr char kErrorTitle[] = "Error";

struct RootKey {
  const char* name;
  std::uintptr_t handle;
};
constexpr std::array<RootKey, 7> kRootKeys{{
    {"HKEY_CLASSES_ROOT", 0x80000000U},
    {"HKEY_CURRENT_USER", 0x80000001U},
    {"HKEY_LOCAL_MACHINE", 0x80000002U},
    {"HKEY_USERS", 0x80000003U},
    {"HKEY_PERFORMANCE_DATA", 0x80000004U},
    {"HKEY_CURRENT_CONFIG", 0x80000005U},
    {"HKEY_DYN_DATA", 0x80000006U},
}};

struct ErrorText {
  long code;
  const char* text;
};
constexpr std::array<ErrorText, 13> kErrorTexts{{
    {2, "Bad Key Name"},
    {1010, "Bad Key Name"},
    {4, "Can't Read Key"},
    {1012, "Can't Read Key"},
    {5, "Access to this key is denied"},
    {8, "Out of memory"},
    {14, "Out of memory"},
    {87, "Invalid Parameter"},
    {234, "There is more data than the buffer has been allocated to hold."},
    {1009, "The Registry Database is corrupt!"},
    {1015, "The Registry Database is corrupt!"},
    {1011, "Can't Open Key"},
    {1013, "Can't Write Key"},
}};

std::string DWordBytes(std::uint32_t value) {
  std::string bytes(4, '\0');
  for (std::size_t at = 0; at < 4; ++at) bytes[at] = static_cast<char>((value >> (8 * at)) & 0xFF);
  return bytes;
}

std::uint32_t DWordOf(const std::string& bytes) {
  std::uint32_t value = 0;
  for (std::size_t at = 0; at < 4; ++at) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << (8 * at);
  }
  return value;
}

}  // namespace

std::uintptr_t GetMainKeyHandle(const std::string& rootName) {
  for (const RootKey& root : kRootKeys) {
    if (rootName == root.name) return root.handle;
  }
  return 0;
}

std::string ErrorMsg(long code) {
  for (const ErrorText& row : kErrorTexts) {
    if (row.code == code) return row.text;
  }
  return "Undefined Error Code:  " + std::to_string(code);
}

RegistryKeys::RegistryKeys(FileAssociation& association, MessageBoxService& messages)
    : association_(association), messages_(messages) {}

bool RegistryKeys::Fail(long code) {
  messages_.Show(ErrorMsg(code), kErrorTitle, MsgIcon::None, MsgButtons::OK);
  return false;
}

std::optional<std::string> RegistryKeys::StorePath(const std::string& keyPath) {
  if (keyPath.rfind(kRootPrefix, 0) != 0 || keyPath.back() == '\\') {
    messages_.Show("Incorrect Format:\n\n" + keyPath, "", MsgIcon::None, MsgButtons::OK);
    return std::nullopt;
  }
  const std::string root = keyPath.substr(0, keyPath.find('\\'));
  if (GetMainKeyHandle(root) == 0) {
    Fail(kRegInvalidHandle);
    return std::nullopt;
  }
  return keyPath;
}

std::optional<std::string> RegistryKeys::OpenKey(const std::string& keyPath) {
  auto path = StorePath(keyPath);
  if (path && !association_.Store().KeyExists(*path)) {
    Fail(kRegFileNotFound);
    return std::nullopt;
  }
  return path;
}

bool RegistryKeys::Change(const std::function<long(RegistryStore&)>& change) {
  RegistryStore before = association_.Store();
  const long code = change(association_.Store());
  if (code != kRegSuccess) return Fail(code);
  if (association_.WriteRegistration()) return true;
  association_.Store() = std::move(before);
  return Fail(kRegCantWrite);
}

bool RegistryKeys::Create(const std::string& keyPath) {
  const auto path = StorePath(keyPath);
  return path && Change([&](RegistryStore& store) { return store.CreateKey(*path); });
}

bool RegistryKeys::DeleteKey(const std::string& keyPath) {
  const auto path = StorePath(keyPath);
  return path && Change([&](RegistryStore& store) { return store.DeleteKey(*path); });
}

bool RegistryKeys::SetStringValue(const std::string& keyPath, const std::string& name,
                                  const std::string& text) {
  return SetValue(keyPath, name, text + '\0', RegType::String);
}

bool RegistryKeys::SetDWORDValue(const std::string& keyPath, const std::string& name,
                                 std::uint32_t value) {
  return SetValue(keyPath, name, DWordBytes(value), RegType::DWord);
}

bool RegistryKeys::SetBinaryValue(const std::string& keyPath, const std::string& name,
                                  const std::string& bytes) {
  return SetValue(keyPath, name, bytes, RegType::Binary);
}

std::optional<std::string> RegistryKeys::GetStringValue(const std::string& keyPath,
                                                        const std::string& name) {
  auto data = GetValue(keyPath, name, RegType::String);
  if (data) *data = StripNulls(*data);
  return data;
}

std::optional<std::uint32_t> RegistryKeys::GetDWORDValue(const std::string& keyPath,
                                                         const std::string& name) {
  const auto data = GetValue(keyPath, name, RegType::DWord);
  if (!data) return std::nullopt;
  if (data->size() != 4) {
    Fail(kRegCantRead);
    return std::nullopt;
  }
  return DWordOf(*data);
}

std::optional<std::string> RegistryKeys::GetBinaryValue(const std::string& keyPath,
                                                        const std::string& name) {
  return GetValue(keyPath, name, RegType::Binary);
}

bool RegistryKeys::SetValue(const std::string& keyPath, const std::string& name,
                            const std::string& bytes, RegType type) {
  const auto path = OpenKey(keyPath);
  return path && Change([&](RegistryStore& store) {
           return store.SetValue(*path, name, RegValue{type, bytes});
         });
}

std::optional<std::string> RegistryKeys::GetValue(const std::string& keyPath,
                                                  const std::string& name, RegType type) {
  const auto path = OpenKey(keyPath);
  if (!path) return std::nullopt;
  RegValue value;
  const long code = std::as_const(association_).Store().QueryValue(*path, name, value);
  if (code != kRegSuccess) {
    Fail(code);
    return std::nullopt;
  }
  if (value.type != type) {
    Fail(kRegCantRead);
    return std::nullopt;
  }
  return value.data;
}

}  // namespace qv
