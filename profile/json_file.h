#pragma once
// JSON files and safe reading of JSON that came from outside.
//
// Every stored document is UTF-8 JSON in the styled layout with CR LF line
// ends. Files written here go through a temporary file and a rename, so a
// crash or a full disk never leaves half a file behind.
//
// JsonCpp throws when a value is read as the wrong type (asInt on a string,
// operator[] on a number). Code that reads files, device answers or server
// answers uses the accessors below instead: a missing member or a value of the
// wrong type reads as the fallback and nothing ever throws.
#include <json/json.h>

#include <cstdint>
#include <string>

namespace tarn {

// Deepest nesting the parser accepts; deeper text reads as not JSON. Our own
// documents nest five levels at most.
constexpr int kJsonNestingLimit = 64;
// Larger files are not read at all (they are not ours).
constexpr size_t kJsonMaxFileSize = 64u * 1024u * 1024u;

// Parses a whole text (comments kept). False, with out null, when the text is
// not JSON or nests deeper than kJsonNestingLimit.
bool ParseJsonText(const std::string& text, Json::Value& out);

// The parsed file, or a null value when it cannot be opened, is empty, cannot
// be read whole, is too large or does not parse.
Json::Value ReadJsonFile(const std::string& path);

// The exact bytes WriteJsonFile writes: the styled layout (three spaces of
// indent, short arrays on one line) with CR LF line ends, no byte order mark.
std::string FormatStyledJson(const Json::Value& value);

// Writes value to path (creating its folder) through a temporary file and a
// rename. Returns 0 on success; any other value means nothing was written and
// the old file is as it was.
int WriteJsonFile(const Json::Value& value, const std::string& path);

// Local time now as "2024_03_05_09_07_03_042": the id of profiles and macros.
std::string MakeTimeStampName();
// The same format for a given time (month 1-12).
std::string FormatTimeStampName(int year, int month, int day, int hour, int minute, int second,
                                int millisecond);

// Conversions between the UTF-8 kept everywhere and wide text. Bad UTF-8
// sequences turn into U+FFFD; nothing is dropped silently.
std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);

// "a/b/name.ext" -> "name" ("\" also separates folders).
std::string GetFileTitle(const std::string& path);

// ---- Non-throwing reads -------------------------------------------------

// The member key of an object, or a shared null value when value is not an
// object or has no such member.
const Json::Value& JsonMember(const Json::Value& value, const char* key);
// Element index of an array, or a shared null value.
const Json::Value& JsonElement(const Json::Value& value, Json::ArrayIndex index);
// Number of elements of an array; 0 for anything else.
Json::ArrayIndex JsonArraySize(const Json::Value& value);
// True when the member exists and is not null.
bool JsonHas(const Json::Value& value, const char* key);

// A number (integer, real or truth value) as a 64-bit integer; fallback for
// anything else. Reals are truncated; reals out of range give the fallback.
int64_t JsonAsInt64(const Json::Value& value, int64_t fallback = 0);
// As JsonAsInt64, keeping the low 32 bits (so 0x1FFFFFFFF reads as -1).
int JsonAsInt(const Json::Value& value, int fallback = 0);
// Truth value: false, null and 0 read false; any other number and true read
// true; other types give the fallback.
bool JsonAsBool(const Json::Value& value, bool fallback = false);
// A string member as it is; fallback for anything else.
std::string JsonAsString(const Json::Value& value, const std::string& fallback = {});

int JsonInt(const Json::Value& object, const char* key, int fallback = 0);
int64_t JsonInt64(const Json::Value& object, const char* key, int64_t fallback = 0);
bool JsonBool(const Json::Value& object, const char* key, bool fallback = false);
std::string JsonString(const Json::Value& object, const char* key, const std::string& fallback = {});
// Low 8 and 16 bits of a number member, as the byte and word fields of the
// stored records keep them ("Speed": 300 reads 44).
uint8_t JsonByte(const Json::Value& object, const char* key);
uint16_t JsonWord(const Json::Value& object, const char* key);

// ---- Safe writes ----------------------------------------------------------

// The member key of value for writing; value becomes an object first when it
// is anything else (a string where an object belongs is replaced).
Json::Value& JsonObjectMember(Json::Value& value, const char* key);
// Element index of value for writing; value becomes an array first when it is
// anything else, and grows with nulls up to index.
Json::Value& JsonArrayElement(Json::Value& value, Json::ArrayIndex index);

}  // namespace tarn
