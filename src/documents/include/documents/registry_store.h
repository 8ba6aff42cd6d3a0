// A small registry-like store: keys named by "\"-separated paths under a root
// ("HKEY_CLASSES_ROOT\qrvfile\DefaultIcon"), matched without regard to letter
// case as the registry does, each holding named values ("" is the default
// value) of a type and raw bytes. The file association is built on it and
// then written out as the desktop's own registration.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace qv {

// Value types, with the registry's numbers.
enum class RegType : std::uint32_t { None = 0, String = 1, Binary = 3, DWord = 4 };

// Status codes, with the registry's numbers.
inline constexpr long kRegSuccess = 0;
inline constexpr long kRegFileNotFound = 2;   // no such key or value
inline constexpr long kRegAccessDenied = 5;   // as for a key that still has sub keys
inline constexpr long kRegInvalidHandle = 6;  // a root the store does not know
inline constexpr long kRegBadKeyName = 1010;
inline constexpr long kRegCantRead = 1012;   // a value of another type than asked for
inline constexpr long kRegCantWrite = 1013;  // the change could not be written out

struct RegValue {
  RegType type = RegType::None;
  std::string data;  // raw bytes; a String holds its text and a NUL
};

class RegistryStore {
 public:
  // Creates the key at path and every missing level above it; an existing
  // key is opened. kRegBadKeyName for a path with an empty level.
  long CreateKey(const std::string& path);
  // True when the key at path exists.
  bool KeyExists(const std::string& path) const;
  // Sets a value of an existing key; kRegFileNotFound when the key is missing.
  long SetValue(const std::string& path, const std::string& name, const RegValue& value);
  // Reads a value; kRegFileNotFound when the key or the value is missing.
  long QueryValue(const std::string& path, const std::string& name, RegValue& value) const;
  // Deletes a key that has no sub keys; kRegFileNotFound when missing,
  // kRegAccessDenied while it has sub keys.
  long DeleteKey(const std::string& path);

 private:
  struct Key {
    std::map<std::string, RegValue> values;  // by lower-case name
  };
  std::map<std::string, Key> keys_;  // by lower-case path
};

// Registry helpers of the association
// The text up to (not including) its first NUL, or the whole text without one.
std::string StripNulls(const std::string& text);
// Writes text as a String value with its terminating NUL (data size = length
// + 1). True when the store reports success.
bool SetStringValue(RegistryStore& store, const std::string& key, const std::string& name,
                    const std::string& text);
// Reads a String value into text (through StripNulls) and returns True; for a
// missing value or one of another type returns False and leaves text alone.
bool QueryStringValue(const RegistryStore& store, const std::string& key, const std::string& name,
                      std::string& text);

}  // namespace qv
