#include "documents/registry_store.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(StripNulls, CutsAtTheFirstNul) {
  EXPECT_EQ(StripNulls("qrvfile"), "qrvfile");
  EXPECT_EQ(StripNulls(std::string("\0abc", 4)), "");
  EXPECT_EQ(StripNulls(std::string("ab\0c\0", 5)), "ab");
  EXPECT_EQ(StripNulls(""), "");
}

TEST(RegistryStore, StringValuesCarryTheirNul) {
  RegistryStore store;
  ASSERT_EQ(store.CreateKey("HKEY_CLASSES_ROOT\\.qrv"), kRegSuccess);
  ASSERT_TRUE(SetStringValue(store, "HKEY_CLASSES_ROOT\\.qrv", "", "qrvfile"));
  RegValue raw;
  ASSERT_EQ(store.QueryValue("HKEY_CLASSES_ROOT\\.qrv", "", raw), kRegSuccess);
  EXPECT_EQ(raw.type, RegType::String);
  EXPECT_EQ(raw.data, std::string("qrvfile\0", 8));
  std::string text;
  EXPECT_TRUE(QueryStringValue(store, "HKEY_CLASSES_ROOT\\.qrv", "", text));
  EXPECT_EQ(text, "qrvfile");
}

// The query must refuse values of other types and leave its output alone.
TEST(RegistryStore, QueryOfANonStringValueFails) {
  RegistryStore store;
  store.CreateKey("HKEY_CURRENT_USER\\k");
  store.SetValue("HKEY_CURRENT_USER\\k", "n",
                 RegValue{RegType::DWord, std::string("\x01\0\0\0", 4)});
  std::string text = "unchanged";
  EXPECT_FALSE(QueryStringValue(store, "HKEY_CURRENT_USER\\k", "n", text));
  EXPECT_FALSE(QueryStringValue(store, "HKEY_CURRENT_USER\\k", "missing", text));
  EXPECT_FALSE(QueryStringValue(store, "HKEY_CURRENT_USER\\none", "", text));
  EXPECT_EQ(text, "unchanged");
}

// Keys are matched without regard to case: the update writes
// "shell\open\command" into the key created as "Shell\Open\command".
TEST(RegistryStore, KeysAndNamesIgnoreCase) {
  RegistryStore store;
  store.CreateKey("HKEY_CLASSES_ROOT\\qrvfile\\Shell\\Open\\command");
  EXPECT_TRUE(store.KeyExists("hkey_classes_root\\QRVFILE\\shell\\open"));
  EXPECT_TRUE(SetStringValue(store, "HKEY_CLASSES_ROOT\\qrvfile\\shell\\open\\command", "", "x"));
  std::string text;
  EXPECT_TRUE(
      QueryStringValue(store, "HKEY_CLASSES_ROOT\\QrvFile\\Shell\\Open\\Command", "", text));
  EXPECT_EQ(text, "x");
}

TEST(RegistryStore, SettingNeverCreatesAKey) {
  RegistryStore store;
  EXPECT_FALSE(SetStringValue(store, "HKEY_CLASSES_ROOT\\none", "", "x"));
  EXPECT_FALSE(store.KeyExists("HKEY_CLASSES_ROOT\\none"));
  EXPECT_EQ(store.CreateKey("HKEY_CLASSES_ROOT\\\\bad"), kRegBadKeyName);
  EXPECT_EQ(store.CreateKey("HKEY_CLASSES_ROOT\\bad\\"), kRegBadKeyName);
}

TEST(RegistryStore, DeletesOnlyKeysWithoutSubKeys) {
  RegistryStore store;
  store.CreateKey("R\\a\\b");
  store.CreateKey("R\\a b");
  EXPECT_NE(store.DeleteKey("R\\a"), kRegSuccess);
  EXPECT_EQ(store.DeleteKey("R\\a\\b"), kRegSuccess);
  EXPECT_EQ(store.DeleteKey("R\\a"), kRegSuccess);
  EXPECT_TRUE(store.KeyExists("R\\a b"));
  EXPECT_EQ(store.DeleteKey("R\\a"), kRegFileNotFound);
}

}  // namespace
}  // namespace qv
