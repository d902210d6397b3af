#include "profile/json_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <regex>

#include "scratch.h"

namespace tarn {
namespace {

using test::ReadText;
using test::ScratchFolder;
using test::WriteText;

Json::Value SmallDocument() {
  Json::Value v;
  Json::Value& s = v["Device"][0];
  s["A"] = 1;
  for (int i = 1; i <= 3; ++i) s["B"].append(i);
  s["C"]["d"] = "x\n\"y";
  s["E"] = Json::Value();
  s["F"] = Json::Value(Json::arrayValue);
  s["G"] = "\xe4\xb8\xad\xe6\x96\x87";
  v["profilename"] = "P";
  return v;
}

TEST(JsonFile, WriterProducesTheStyledLayoutWithCrLf) {
  std::string path = ScratchFolder() + "small.json";
  ASSERT_EQ(WriteJsonFile(SmallDocument(), path), 0);
  EXPECT_EQ(ReadText(path), ReadText(test::SourcePath("tests/profile/data/styled_small.json")));
  // What was written reads back as the same value.
  EXPECT_EQ(ReadJsonFile(path), SmallDocument());
}

TEST(JsonFile, RewritingKeepsSingleCrLfInComments) {
  std::string path = ScratchFolder() + "comment.json";
  WriteText(path, "// note\r\n{\r\n   \"a\" : 1\r\n}\r\n");
  Json::Value v = ReadJsonFile(path);
  ASSERT_TRUE(v.isObject());
  for (int round = 0; round < 3; ++round) {
    ASSERT_EQ(WriteJsonFile(v, path), 0);
    v = ReadJsonFile(path);
  }
  std::string text = ReadText(path);
  EXPECT_EQ(text.find("\r\r"), std::string::npos) << text;
  EXPECT_NE(text.find("// note\r\n"), std::string::npos) << text;
}

TEST(JsonFile, ReaderGivesNullForAnythingThatIsNotWholeJson) {
  std::string folder = ScratchFolder();
  struct Case {
    const char* name;
    std::string bytes;
    bool parses;
  } cases[] = {
      {"empty", "", false},
      {"garbage", "\x01\x02not json at all", false},
      {"cut off", "{\"Device\" : [ { \"LightInfo\" : { \"Red\" : 1", false},
      {"deep nesting", std::string(100000, '[') + std::string(100000, ']'), false},
      {"too deep by one", std::string(kJsonNestingLimit + 2, '[') + std::string(kJsonNestingLimit + 2, ']'), false},
      {"allowed depth", std::string(kJsonNestingLimit - 1, '[') + std::string(kJsonNestingLimit - 1, ']'), true},
      {"with comments", "/* c */ {\"a\" : 1} // end\n", true},
      {"byte order mark", "\xEF\xBB\xBF{\"a\" : 1}", true},
      {"plain number", "42", true},
  };
  for (const Case& c : cases) {
    std::string path = folder + "case.json";
    WriteText(path, c.bytes);
    Json::Value v;
    ASSERT_NO_THROW(v = ReadJsonFile(path)) << c.name;
    EXPECT_EQ(!v.isNull(), c.parses) << c.name;
  }
  EXPECT_TRUE(ReadJsonFile(folder + "missing.json").isNull());
  EXPECT_TRUE(ReadJsonFile(folder).isNull());  // a folder is not a file
}

TEST(JsonFile, ReaderTakesATenMegabyteString) {
  std::string path = ScratchFolder() + "big.json";
  std::string big(10 * 1024 * 1024, 'x');
  WriteText(path, "{\"Device\" : [ { \"name\" : \"" + big + "\" } ] }");
  Json::Value v = ReadJsonFile(path);
  EXPECT_EQ(JsonString(JsonElement(JsonMember(v, "Device"), 0), "name").size(), big.size());
}

TEST(JsonFile, FailedWriteReportsItAndKeepsTheOldFile) {
  std::string folder = ScratchFolder();
  WriteText(folder + "plain", "a file, not a folder");
  EXPECT_NE(WriteJsonFile(SmallDocument(), folder + "plain/below.json"), 0);
  EXPECT_NE(WriteJsonFile(SmallDocument(), ""), 0);

  // A folder where the file should be: the rename fails, nothing is lost.
  std::filesystem::create_directories(folder + "taken.json/inner");
  EXPECT_NE(WriteJsonFile(SmallDocument(), folder + "taken.json"), 0);
  EXPECT_TRUE(std::filesystem::is_directory(folder + "taken.json/inner"));
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << "temporary file left behind";
}

TEST(JsonFile, LeftoverTemporaryFileFromACrashDoesNotMatter) {
  std::string folder = ScratchFolder();
  std::string path = folder + "p.json";
  ASSERT_EQ(WriteJsonFile(SmallDocument(), path), 0);
  WriteText(path + ".tmp-ABCDEF", "{ half a fi");  // what a crash mid-write leaves
  EXPECT_EQ(ReadJsonFile(path), SmallDocument());
  Json::Value next = SmallDocument();
  next["profilename"] = "Q";
  ASSERT_EQ(WriteJsonFile(next, path), 0);
  EXPECT_EQ(ReadJsonFile(path), next);
}

TEST(JsonFile, KillingAWriterMidWriteLeavesAWholeFile) {
  std::string path = ScratchFolder() + "p.json";
  Json::Value a(Json::objectValue), b(Json::objectValue);
  a["Device"][0]["blob"] = std::string(4 * 1024 * 1024, 'a');
  b["Device"][0]["blob"] = std::string(6 * 1024 * 1024, 'b');
  ASSERT_EQ(WriteJsonFile(a, path), 0);
  for (int delayMs : {1, 5, 20, 40}) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) {
        WriteJsonFile(b, path);
        WriteJsonFile(a, path);
      }
    }
    usleep(static_cast<useconds_t>(delayMs) * 1000);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    Json::Value got = ReadJsonFile(path);
    EXPECT_TRUE(got == a || got == b) << "a cut-off file after " << delayMs << " ms";
  }
}

TEST(JsonFile, TimeStampName) {
  EXPECT_EQ(FormatTimeStampName(2024, 3, 5, 9, 7, 3, 42), "2024_03_05_09_07_03_042");
  EXPECT_EQ(FormatTimeStampName(2026, 12, 31, 23, 59, 59, 999), "2026_12_31_23_59_59_999");
  std::string now = MakeTimeStampName();
  EXPECT_TRUE(std::regex_match(now, std::regex(R"(\d{4}_\d\d_\d\d_\d\d_\d\d_\d\d_\d{3})"))) << now;
  time_t t = time(nullptr);
  struct tm local {};
  localtime_r(&t, &local);
  EXPECT_EQ(now.substr(0, 4), std::to_string(local.tm_year + 1900));
}

TEST(JsonFile, WideConversions) {
  struct Case {
    std::string utf8;
    std::wstring wide;
  } cases[] = {
      {"", L""},
      {"Tarn", L"Tarn"},
      {"\xe7\xac\xac\xe4\xb8\x80\xe7\xbb\x84", L"\x7b2c\x4e00\x7ec4"},  // 第一组
      {"\xc3\xa9", L"\xe9"},
      {"\xf0\x9f\x98\x80", L"\x1F600"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << c.utf8;
    EXPECT_EQ(WideToUtf8(c.wide), c.utf8) << c.utf8;
  }
  // Broken sequences become replacement characters; the rest survives.
  EXPECT_EQ(Utf8ToWide("a\xff" "b"), L"a\xFFFD" L"b");
  EXPECT_EQ(Utf8ToWide("a\xe7\xac"), L"a\xFFFD");
  EXPECT_EQ(Utf8ToWide("\xc0\xaf"), L"\xFFFD");  // overlong '/'
  EXPECT_EQ(Utf8ToWide("\xed\xa0\x80x"), L"\xFFFDx");  // a surrogate
}

TEST(JsonFile, FileTitle) {
  struct Case {
    const char* path;
    const char* title;
  } cases[] = {
      {"/home/u/.local/share/Tarn/keyboard/2024_03_05.Json", "2024_03_05"},
      {"C:\\Users\\u\\macro.config", "macro"},
      {"name", "name"},
      {"a.b.c", "a.b"},
      {"folder/", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(GetFileTitle(c.path), c.title) << c.path;
}

TEST(JsonFile, AccessorsNeverThrowOnWrongTypes) {
  Json::Value doc;
  ASSERT_TRUE(ParseJsonText(R"({"int": 300, "neg": -1, "big": 8589934593, "real": 2.9, "huge": 1e300,
                                "str": "7", "t": true, "f": false, "obj": {"a": 1}, "arr": [5, 6],
                                "null": null})",
                            doc));
  struct Case {
    const char* key;
    int asInt;
    bool asBool;
    const char* asString;
  } cases[] = {
      {"int", 300, true, ""},   {"neg", -1, true, ""},   {"big", 1, true, ""},     {"real", 2, true, ""},
      {"huge", 0, true, ""},    {"str", 0, false, "7"},  {"t", 1, true, ""},       {"f", 0, false, ""},
      {"obj", 0, false, ""},    {"arr", 0, false, ""},   {"null", 0, false, ""},   {"missing", 0, false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JsonInt(doc, c.key), c.asInt) << c.key;
    EXPECT_EQ(JsonBool(doc, c.key), c.asBool) << c.key;
    EXPECT_EQ(JsonString(doc, c.key), c.asString) << c.key;
  }
  EXPECT_EQ(JsonByte(doc, "int"), 44);
  EXPECT_EQ(JsonWord(doc, "big"), 1);
  // Members and elements of things that are not objects or arrays.
  for (const char* key : {"int", "str", "arr", "null", "missing"}) {
    EXPECT_TRUE(JsonMember(JsonMember(doc, key), "x").isNull()) << key;
    EXPECT_TRUE(JsonElement(JsonMember(doc, key), 7).isNull()) << key;
  }
  EXPECT_EQ(JsonElement(JsonMember(doc, "arr"), 1).asInt(), 6);
  EXPECT_EQ(JsonArraySize(JsonMember(doc, "obj")), 0u);
  // Writing through a member of the wrong type replaces it.
  JsonObjectMember(doc["str"], "x") = 1;
  EXPECT_EQ(JsonInt(JsonMember(doc, "str"), "x"), 1);
  JsonArrayElement(doc["obj"], 2) = 3;
  EXPECT_EQ(JsonArraySize(JsonMember(doc, "obj")), 3u);
}

}  // namespace
}  // namespace tarn
