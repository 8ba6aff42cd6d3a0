// The registry helper over the association's keys: its words for the error
// codes, the root names, the values it keeps, and what each failure says,
// against a throw-away data folder.
#include "documents/registry_keys.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "documents/file_association.h"
#include "support/scoped_env.h"
#include "support/scripted_message_box.h"
#include "support/shipped_icon.h"
#include "support/temp_folder.h"

namespace qv {
namespace {

struct ErrorCase {
  long code;
  const char* text;
};

class ErrorMsgTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorMsgTest, GivesTheWordsOfTheCode) {
  EXPECT_EQ(ErrorMsg(GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ErrorMsgTest,
    testing::Values(
        ErrorCase{2, "Bad Key Name"}, ErrorCase{1010, "Bad Key Name"},
        ErrorCase{4, "Can't Read Key"}, ErrorCase{1012, "Can't Read Key"},
        ErrorCase{5, "Access to this key is denied"}, ErrorCase{8, "Out of memory"},
        ErrorCase{14, "Out of memory"}, ErrorCase{87, "Invalid Parameter"},
        ErrorCase{234, "There is more data than the buffer has been allocated to hold."},
        ErrorCase{1009, "The Registry Database is corrupt!"},
        ErrorCase{1015, "The Registry Database is corrupt!"}, ErrorCase{1011, "Can't Open Key"},
        ErrorCase{1013, "Can't Write Key"}, ErrorCase{6, "Undefined Error Code:  6"},
        ErrorCase{0, "Undefined Error Code:  0"}, ErrorCase{-1, "Undefined Error Code:  -1"}),
    [](const testing::TestParamInfo<ErrorCase>& info) {
      const long code = info.param.code;
      return (code < 0 ? "CodeMinus" : "Code") + std::to_string(code < 0 ? -code : code);
    });

TEST(GetMainKeyHandle, KnowsTheSevenRootsByTheirExactNames) {
  std::set<std::uintptr_t> handles;
  for (const char* name :
       {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
        "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"}) {
    const std::uintptr_t handle = GetMainKeyHandle(name);
    EXPECT_NE(handle, 0U) << name;
    handles.insert(handle);
  }
  EXPECT_EQ(handles.size(), 7U);
  EXPECT_EQ(GetMainKeyHandle("HKEY_CLASSES_ROOT"), 0x80000000U);
  for (const char* name : {"hkey_classes_root", "HKEY_", "HKEY_CLASSES_ROOT\\", ""}) {
    EXPECT_EQ(GetMainKeyHandle(name), 0U) << name;
  }
}

// The paths of a program installed in folder, with its icon beside it.
AssociationPaths ProgramPaths(const std::string& folder) {
  AssociationPaths paths;
  paths.programFolder = folder;
  paths.separator = '/';
  paths.programName = "quorvel";
  paths.iconName = kProgramIconFile;
  return paths;
}

// The association of a program with its icon, written into a throw-away data
// folder, and the helper over its keys.
class RegistryKeysTest : public testing::Test {
 protected:
  RegistryKeysTest()
      : dataHome_("XDG_DATA_HOME", folder_.File("data")),
        association_(ProgramPaths(folder_.File("program")), UserDataHome()),
        keys_(association_, messages_) {}

  void SetUp() override {
    ASSERT_TRUE(test::ShipIconBeside(folder_.File("program")));
    association_.WriteAtStartUp();
    ASSERT_NE(folder_.Read("data/applications/quorvel.desktop"), "<missing>");
  }

  test::TempFolder folder_;
  test::ScopedEnv dataHome_;
  FileAssociation association_;
  test::ScriptedMessageBox messages_;
  RegistryKeys keys_;
};

TEST_F(RegistryKeysTest, KeepsValuesOfEveryType) {
  const std::string key = "HKEY_CURRENT_USER\\Software\\Quorvel";
  ASSERT_TRUE(keys_.Create(key));
  ASSERT_TRUE(keys_.SetStringValue(key, "Folder", "/home/me"));
  ASSERT_TRUE(keys_.SetDWORDValue(key, "Count", 0x01020304U));
  const std::string bytes("\0\xff\x10", 3);
  ASSERT_TRUE(keys_.SetBinaryValue(key, "Raw", bytes));
  EXPECT_EQ(keys_.GetStringValue(key, "folder"), "/home/me");
  EXPECT_EQ(keys_.GetDWORDValue(key, "Count"), 0x01020304U);
  EXPECT_EQ(keys_.GetBinaryValue(key, "Raw"), bytes);
  // The classic layout: a DWORD is four bytes, lowest first.
  RegValue raw;
  ASSERT_EQ(association_.Store().QueryValue(key, "Count", raw), kRegSuccess);
  EXPECT_EQ(raw.data, std::string("\x04\x03\x02\x01", 4));
  ASSERT_TRUE(keys_.Create("HKEY_CURRENT_USER\\Software\\Quorvel\\Empty"));
  EXPECT_TRUE(keys_.DeleteKey("HKEY_CURRENT_USER\\Software\\Quorvel\\Empty"));
  EXPECT_FALSE(association_.Store().KeyExists("HKEY_CURRENT_USER\\Software\\Quorvel\\Empty"));
  EXPECT_TRUE(messages_.Shown().empty()) << messages_.Texts().front();
}

// A change to the association's keys reaches the desktop at once.
TEST_F(RegistryKeysTest, AChangedAssociationIsWrittenOut) {
  ASSERT_TRUE(keys_.SetStringValue("HKEY_CLASSES_ROOT\\qrvfile", "", "Quorvel Graphs"));
  EXPECT_NE(folder_.Read("data/applications/quorvel.desktop").find("\nName=Quorvel Graphs\n"),
            std::string::npos);
  EXPECT_NE(folder_.Read("data/mime/packages/quorvel-qrv.xml")
                .find("<comment>Quorvel Graphs document</comment>"),
            std::string::npos);
  EXPECT_EQ(keys_.GetStringValue("HKEY_CLASSES_ROOT\\.qrv", ""), "qrvfile");
}

struct FailureCase {
  const char* name;
  std::function<bool(RegistryKeys&)> action;
  std::string text;
  std::string title;
};

class RegistryKeysFailureTest : public RegistryKeysTest,
                                public testing::WithParamInterface<FailureCase> {};

// Each failure shows its one box, and changes neither the keys nor the
// desktop's files.
TEST_P(RegistryKeysFailureTest, ShowsItsTextAndChangesNothing) {
  const RegistryStore before = association_.Store();
  const std::string entry = folder_.Read("data/applications/quorvel.desktop");
  EXPECT_FALSE(GetParam().action(keys_));
  ASSERT_EQ(messages_.Shown().size(), 1U);
  EXPECT_EQ(messages_.Shown()[0].text, GetParam().text);
  EXPECT_EQ(messages_.Shown()[0].title, GetParam().title);
  EXPECT_EQ(messages_.Shown()[0].buttons, MsgButtons::OK);
  std::string title;
  EXPECT_TRUE(QueryStringValue(association_.Store(), "HKEY_CLASSES_ROOT\\qrvfile", "", title));
  EXPECT_EQ(title, "Quorvel");
  EXPECT_EQ(association_.Store().KeyExists("HKEY_CURRENT_USER\\new"),
            before.KeyExists("HKEY_CURRENT_USER\\new"));
  EXPECT_EQ(folder_.Read("data/applications/quorvel.desktop"), entry);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, RegistryKeysFailureTest,
    testing::Values(
        FailureCase{"NoRootPrefix", [](RegistryKeys& k) { return k.Create("Software\\new"); },
                    "Incorrect Format:\n\nSoftware\\new", ""},
        FailureCase{"TrailingSeparator",
                    [](RegistryKeys& k) { return k.Create("HKEY_CURRENT_USER\\new\\"); },
                    "Incorrect Format:\n\nHKEY_CURRENT_USER\\new\\", ""},
        FailureCase{"UnknownRoot", [](RegistryKeys& k) { return k.Create("HKEY_ELSEWHERE\\new"); },
                    "Undefined Error Code:  6", "Error"},
        FailureCase{"EmptyLevel",
                    [](RegistryKeys& k) { return k.Create("HKEY_CURRENT_USER\\\\new"); },
                    "Bad Key Name", "Error"},
        FailureCase{
            "MissingKey",
            [](RegistryKeys& k) { return k.SetStringValue("HKEY_CURRENT_USER\\new", "", "x"); },
            "Bad Key Name", "Error"},
        FailureCase{"MissingValue",
                    [](RegistryKeys& k) {
                      return k.GetStringValue("HKEY_CLASSES_ROOT\\qrvfile", "none").has_value();
                    },
                    "Bad Key Name", "Error"},
        FailureCase{"KeyWithSubKeys",
                    [](RegistryKeys& k) { return k.DeleteKey("HKEY_CLASSES_ROOT\\qrvfile"); },
                    "Access to this key is denied", "Error"},
        FailureCase{"StringReadAsDWORD",
                    [](RegistryKeys& k) {
                      return k.GetDWORDValue("HKEY_CLASSES_ROOT\\.qrv", "").has_value();
                    },
                    "Can't Read Key", "Error"},
        FailureCase{"StringReadAsBinary",
                    [](RegistryKeys& k) {
                      return k.GetBinaryValue("HKEY_CLASSES_ROOT\\.qrv", "").has_value();
                    },
                    "Can't Read Key", "Error"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

// A data folder that cannot be written: the change is refused and taken back.
TEST(RegistryKeys, AChangeTheDesktopCannotTakeIsTakenBack) {
  test::TempFolder folder;
  ASSERT_TRUE(test::ShipIconBeside(folder.File("program")));
  ASSERT_EQ(ReplaceFile(folder.File("data"), "a file, not a folder"), "");
  FileAssociation association(ProgramPaths(folder.File("program")), folder.File("data"));
  association.WriteAtStartUp();  // silently fails
  test::ScriptedMessageBox messages;
  RegistryKeys keys(association, messages);
  EXPECT_FALSE(keys.SetStringValue("HKEY_CLASSES_ROOT\\qrvfile", "", "Other"));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Can't Write Key"});
  EXPECT_EQ(messages.Shown()[0].title, "Error");
  std::string title;
  EXPECT_TRUE(QueryStringValue(association.Store(), "HKEY_CLASSES_ROOT\\qrvfile", "", title));
  EXPECT_EQ(title, "Quorvel");
  EXPECT_FALSE(keys.Create("HKEY_CURRENT_USER\\new"));
  EXPECT_FALSE(association.Store().KeyExists("HKEY_CURRENT_USER\\new"));
}

}  // namespace
}  // namespace qv
