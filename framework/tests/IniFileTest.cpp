// The INI wrapper against the platform's real private-profile functions, in a scratch folder.
#include "framework/IniFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

namespace {

class IniFileTest : public testing::Test {
 protected:
  std::string FileText() const { return FileBytes(path_); }
  void PutFileText(const std::string& text) const { WriteFileText(path_, text); }

  TempFolder temp_{"ini"};
  const std::string folder_ = temp_.Path() + "\\";
  const std::string path_ = folder_ + "test.ini";
};

TEST_F(IniFileTest, AMissingFileGivesEveryDefault) {
  const TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("Settings", "NumChars", "8"), "8");
  EXPECT_EQ(ini.ReadInteger("Form", "Top", 160), 160);
  EXPECT_TRUE(ini.ReadBool("Settings", "UseLowerCase", true));
  EXPECT_FALSE(ini.ReadBool("Settings", "UseUpperCase", false));
  EXPECT_EQ(GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(IniFileTest, TheFirstWriteCreatesTheFileKeysFollowInWriteOrder) {
  TIniFile ini(path_);
  ini.WriteInteger("Form", "Top", 160);
  ini.WriteInteger("Form", "Left", -326);
  ini.WriteString("Settings", "NumChars", "16");
  ini.WriteBool("Settings", "UseLowerCase", true);
  ini.WriteBool("Settings", "AutoCopy", false);
  EXPECT_EQ(FileText(),
            "[Form]\r\nTop=160\r\nLeft=-326\r\n[Settings]\r\nNumChars=16\r\nUseLowerCase=1\r\n"
            "AutoCopy=0\r\n");
}

TEST_F(IniFileTest, ValuesReadBackAsWrittenAndKeysIgnoreCase) {
  TIniFile ini(path_);
  ini.WriteString("Settings", "CustomMemo", "abc=def;[x]");
  ini.WriteInteger("Form", "Width", -2147483647 - 1);
  ini.WriteBool("Settings", "NoSimilar", true);
  EXPECT_EQ(ini.ReadString("settings", "CUSTOMMEMO", "-"), "abc=def;[x]");
  EXPECT_EQ(ini.ReadInteger("FORM", "width", 0), -2147483647 - 1);
  EXPECT_TRUE(ini.ReadBool("Settings", "nosimilar", false));
}

TEST_F(IniFileTest, ReplacingAKeyKeepsForeignSectionsKeysAndLines) {
  PutFileText("; written by hand\r\n[Other]\r\nx=1\r\n\r\n[Settings]\r\nMine=old\r\nTheirs=2\r\n");
  TIniFile ini(path_);
  ini.WriteString("Settings", "Mine", "new");
  ini.WriteString("Settings", "Added", "3");
  const std::string text = FileText();
  EXPECT_NE(text.find("; written by hand\r\n[Other]\r\nx=1\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Mine=new\r\nTheirs=2\r\nAdded=3\r\n"), std::string::npos) << text;
  EXPECT_EQ(ini.ReadString("Other", "x", ""), "1");
}

TEST_F(IniFileTest, AnEmptyValueReadsAsEmptyTextNotTheDefault) {
  PutFileText("[Settings]\r\nFormatString=\r\nColorScheme=\r\n");
  const TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("Settings", "FormatString", "0"), "");
  EXPECT_EQ(ini.ReadInteger("Settings", "ColorScheme", 9), 9);
}

TEST_F(IniFileTest, NumbersWrittenByHandFollowTheIntegerRules) {
  PutFileText(
      "[S]\r\na=0x10\r\nb=$10\r\nc=x10\r\nd=0x\r\ne=65537\r\nf=2\r\ng=-1\r\nh=yes\r\ni=08\r\n");
  const TIniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("S", "a", 0), 16);
  EXPECT_EQ(ini.ReadInteger("S", "b", 0), 16);
  EXPECT_EQ(ini.ReadInteger("S", "c", 0), 16);
  EXPECT_EQ(ini.ReadInteger("S", "d", 5), 5);
  EXPECT_EQ(ini.ReadInteger("S", "e", 0), 65537);
  EXPECT_TRUE(ini.ReadBool("S", "f", false));
  EXPECT_TRUE(ini.ReadBool("S", "g", false));
  EXPECT_FALSE(ini.ReadBool("S", "h", false));
  EXPECT_TRUE(ini.ReadBool("S", "h", true));
  EXPECT_EQ(ini.ReadString("S", "i", ""), "08");
}

TEST_F(IniFileTest, TheReaderStripsBlanksAndOnePairOfQuotesSoTheWriterMustQuote) {
  PutFileText("[S]\r\nq=\"abc\"\r\nb=  abc  \r\n");
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("S", "q", ""), "abc");
  EXPECT_EQ(ini.ReadString("S", "b", ""), "abc");
}

TEST_F(IniFileTest, QuotedAndBlankEdgedValuesSurviveARoundTrip) {
  const std::string values[] = {"\"abc\"", "'abc'", " abc", "abc ", "  a b  ", "\"",
                                "'",       "\"\"",  "''",   "\"a'", "a\"",     " \"x\" ",
                                "\tx\t",   "\"'\"", "   ",  "",     "-..+",    "\"\"\"\""};
  TIniFile ini(path_);
  int n = 0;
  for (const auto& v : values) {
    const std::string key = "k" + std::to_string(n++);
    ini.WriteString("S", key, v);
    EXPECT_EQ(ini.ReadString("S", key, "<default>"), v) << "[" << v << "]";
  }
  // Written one after the other, they all still read back (no value spilled into another).
  n = 0;
  for (const auto& v : values) EXPECT_EQ(ini.ReadString("S", "k" + std::to_string(n++), "?"), v);
}

TEST_F(IniFileTest, AValueLongerThan2047CharactersIsCut) {
  TIniFile ini(path_);
  std::string longValue;
  for (int i = 0; i < 3000; ++i) longValue += static_cast<char>('a' + i % 26);
  ini.WriteString("S", "long", longValue);
  ini.WriteString("S", "exact", longValue.substr(0, 2047));
  EXPECT_EQ(ini.ReadString("S", "long", ""), longValue.substr(0, 2047));
  EXPECT_EQ(ini.ReadString("S", "exact", ""), longValue.substr(0, 2047));
}

TEST_F(IniFileTest, ALongValueThatNeedsQuotesComesBackWithoutAStrayQuote) {
  TIniFile ini(path_);
  std::string body;
  for (int i = 0; i < 3000; ++i) body += static_cast<char>('a' + i % 26);
  for (size_t length : {size_t(2045), size_t(2046), size_t(2047), size_t(2048), size_t(3000)}) {
    for (const std::string& edge : {std::string(" "), std::string("\""), std::string("'")}) {
      const std::string value = edge + body.substr(0, length - 1);
      const std::string key = "k" + std::to_string(length) +
                              (edge == " "   ? "b"
                               : edge == "'" ? "s"
                                             : "d");
      ini.WriteString("S", key, value);
      EXPECT_EQ(ini.ReadString("S", key, ""), value.substr(0, 2045)) << key;
    }
  }
  // Quoted at the end only: the same cut, the start of the value kept.
  const std::string trailing = body.substr(0, 2046) + " ";
  ini.WriteString("S", "t", trailing);
  EXPECT_EQ(ini.ReadString("S", "t", ""), trailing.substr(0, 2045));
}

TEST_F(IniFileTest, AFailedWriteRaisesUnableToWriteWithThePath) {
  // As root, Wine writes read-only files anyway; a folder in the file's place always refuses.
  ASSERT_TRUE(CreateDirectoryA(path_.c_str(), nullptr));
  TIniFile ini(path_);
  try {
    ini.WriteString("Settings", "NumChars", "8");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + path_);
  }
  EXPECT_THROW(ini.WriteInteger("Form", "Top", 1), Exception);
  EXPECT_THROW(ini.WriteBool("Settings", "AutoCopy", true), Exception);
}

TEST_F(IniFileTest, WritingIntoAMissingFolderFails) {
  const std::string missing = folder_ + "no-such-folder\\test.ini";
  TIniFile ini(missing);
  try {
    ini.WriteString("Form", "Top", "1");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + missing);
  }
  EXPECT_EQ(ini.ReadInteger("Form", "Top", 160), 160);
}

}  // namespace
