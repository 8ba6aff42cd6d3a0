// A general helper over the association's keys that names each key by its
// full path ("HKEY_CLASSES_ROOT\qrvfile\DefaultIcon") and tells every failure
// in words. Each operation opens its key, does its work and closes the key
// again. A change is written out at once as the desktop's registration of the
// association, so one that cannot be written there fails too.
//
// Nothing in the program makes one: the association itself fails silently.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "documents/registry_store.h"
#include "platform/message_box.h"

namespace qv {

class FileAssociation;

// The handle of a root key by its name ("HKEY_CLASSES_ROOT", ...,
// "HKEY_DYN_DATA", matched exactly), with the registry's numbers; 0 for any
// other name.
std::uintptr_t GetMainKeyHandle(const std::string& rootName);

// The words for a registry status code (Windows' numbers): "Bad Key Name" for
// 2 and 1010, "Can't Read Key", ..., "Undefined Error Code:  " and the code
// for one without words.
std::string ErrorMsg(long code);

class RegistryKeys {
 public:
  // Works on the association's keys and shows failures through messages;
  // both must outlive it.
  RegistryKeys(FileAssociation& association, MessageBoxService& messages);

  // Each operation returns false (getters: nullopt) on failure, after a
  // message box titled "Error" with the ErrorMsg text of the code. A path
  // that does not begin with "HKEY_" or ends with "\" gets the box
  // "Incorrect Format:", two line feeds and the path, instead.

  // Creates the key and any missing level above it; an existing key is kept.
  bool Create(const std::string& keyPath);
  // Deletes a key that has no sub keys.
  bool DeleteKey(const std::string& keyPath);
  // Values of an existing key; name "" is its default value. Text is stored
  // with its terminating NUL, a DWORD as four bytes, lowest first.
  bool SetStringValue(const std::string& keyPath, const std::string& name, const std::string& text);
  std::optional<std::string> GetStringValue(const std::string& keyPath, const std::string& name);
  bool SetDWORDValue(const std::string& keyPath, const std::string& name, std::uint32_t value);
  std::optional<std::uint32_t> GetDWORDValue(const std::string& keyPath, const std::string& name);
  bool SetBinaryValue(const std::string& keyPath, const std::string& name,
                      const std::string& bytes);
  std::optional<std::string> GetBinaryValue(const std::string& keyPath, const std::string& name);

 private:
  // The store's path of an existing key, or nullopt after the failure's box.
  std::optional<std::string> OpenKey(const std::string& keyPath);
  // The key path as the store names it, or nullopt after the failure's box.
  std::optional<std::string> StorePath(const std::string& keyPath);
  // Makes the change (which returns a status code) and writes it out; a
  // change that cannot be written out is taken back. False after the
  // failure's box.
  bool Change(const std::function<long(RegistryStore&)>& change);
  bool SetValue(const std::string& keyPath, const std::string& name, const std::string& bytes,
                RegType type);
  // The bytes of a value of the given type, or nullopt after the failure's box.
  std::optional<std::string> GetValue(const std::string& keyPath, const std::string& name,
                                      RegType type);
  // Shows the failure of code and returns false.
  bool Fail(long code);

  FileAssociation& association_;
  MessageBoxService& messages_;
};

}  // namespace qv
