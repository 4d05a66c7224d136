// The registry key wrapper against the real registry, in a scratch key removed after each test.
#include "framework/Registry.h"

#include <gtest/gtest.h>

#include <functional>

#include "framework/Exceptions.h"
#include "tests/support/KeptRegistry.h"

namespace {

const char* const Scratch = "Software\\Tallowmere Tests\\Registry";

// Each test starts without the scratch key, which is as it was before (normally gone) afterwards.
class RegistryTest : public testing::Test {
 protected:
  void SetUp() override { scratch_.Remove(); }
  const KeptRegistryKey scratch_{HKEY_CURRENT_USER, Scratch};
};

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace

TEST_F(RegistryTest, OpenNeverCreatesButOpenOrCreateDoes) {
  RegistryKey key;
  EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, Scratch, KEY_READ));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));  // for the caller's message
  EXPECT_FALSE(key.IsOpen());
  ASSERT_TRUE(key.OpenOrCreate(HKEY_CURRENT_USER, Scratch));
  EXPECT_TRUE(key.IsOpen());
  key.Close();
  EXPECT_FALSE(key.IsOpen());
  EXPECT_TRUE(key.Open(HKEY_CURRENT_USER, Scratch, KEY_READ));
}

TEST_F(RegistryTest, StringValuesRoundTripAndCanBeDeleted) {
  RegistryKey key;
  ASSERT_TRUE(key.OpenOrCreate(HKEY_CURRENT_USER, Scratch));
  EXPECT_FALSE(key.ValueExists("Name"));
  EXPECT_EQ(key.ReadString("Name"), "");
  key.WriteString("Name", "C:\\Program Files\\x.exe /uninstall");
  EXPECT_TRUE(key.ValueExists("Name"));
  EXPECT_EQ(key.ReadString("Name"), "C:\\Program Files\\x.exe /uninstall");
  DWORD type = 0;
  RegQueryValueExA(key.Handle(), "Name", nullptr, &type, nullptr, nullptr);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_TRUE(key.TryDeleteValue("Name"));
  EXPECT_FALSE(key.ValueExists("Name"));
  EXPECT_FALSE(key.TryDeleteValue("Name"));
}

TEST_F(RegistryTest, EmptyStringIsWrittenAndExists) {
  RegistryKey key;
  ASSERT_TRUE(key.OpenOrCreate(HKEY_CURRENT_USER, Scratch));
  key.WriteString("Empty", "");
  EXPECT_TRUE(key.ValueExists("Empty"));
  EXPECT_EQ(key.ReadString("Empty"), "");
}

TEST_F(RegistryTest, ReadingANumberAsTextRaisesInvalidDataType) {
  RegistryKey key;
  ASSERT_TRUE(key.OpenOrCreate(HKEY_CURRENT_USER, Scratch));
  const DWORD number = 1;
  RegSetValueExA(key.Handle(), "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof number);
  EXPECT_EQ(ErrorOf([&] { key.ReadString("Count"); }), "Invalid data type for 'Count'");
}

TEST_F(RegistryTest, WritingFailsWithTheSetDataTextWhenClosedOrReadOnly) {
  RegistryKey closed;
  EXPECT_EQ(ErrorOf([&] { closed.WriteString("Delete Brindlecast", "x"); }),
            "Failed to set data for 'Delete Brindlecast'");
  {
    RegistryKey created;
    ASSERT_TRUE(created.OpenOrCreate(HKEY_CURRENT_USER, Scratch));
  }
  RegistryKey readOnly;
  ASSERT_TRUE(readOnly.Open(HKEY_CURRENT_USER, Scratch, KEY_READ));
  EXPECT_EQ(ErrorOf([&] { readOnly.WriteString("Value", "x"); }), "Failed to set data for 'Value'");
  EXPECT_FALSE(readOnly.ValueExists("Value"));
}

TEST_F(RegistryTest, FlushWorksOnlyOnAnOpenKey) {
  RegistryKey key;
  EXPECT_FALSE(key.TryFlush());
  ASSERT_TRUE(key.OpenOrCreate(HKEY_CURRENT_USER, Scratch));
  EXPECT_TRUE(key.TryFlush());
}

TEST_F(RegistryTest, DeleteKeyTreeRemovesTheKeyWithItsSubKeys) {
  {
    RegistryKey child;
    ASSERT_TRUE(child.OpenOrCreate(HKEY_CURRENT_USER, std::string(Scratch) + "\\a\\b"));
    child.WriteString("v", "1");
  }
  EXPECT_TRUE(TryDeleteKeyTree(HKEY_CURRENT_USER, Scratch));
  RegistryKey key;
  EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, Scratch, KEY_READ));
  EXPECT_FALSE(TryDeleteKeyTree(HKEY_CURRENT_USER, Scratch));
  EXPECT_TRUE(key.Open(HKEY_CURRENT_USER, "Software\\Tallowmere Tests", KEY_READ));
}

TEST_F(RegistryTest, MovedKeyStaysOpenInItsNewOwner) {
  RegistryKey first;
  ASSERT_TRUE(first.OpenOrCreate(HKEY_CURRENT_USER, Scratch));
  RegistryKey second(std::move(first));
  EXPECT_FALSE(first.IsOpen());
  ASSERT_TRUE(second.IsOpen());
  second.WriteString("v", "moved");
  EXPECT_EQ(second.ReadString("v"), "moved");
}
