// A look-up handed to the format of the file.
#include "big5dict/file_lookup.h"

#include <cstdint>

#include "big5dict/big5.h"
#include "big5dict/hashed_lookup.h"
#include "big5dict/input_keys.h"
#include "big5dict/input_lookup.h"
#include "big5dict/phrase_lookup.h"

namespace big5dict {

namespace {

constexpr std::size_t kCharacter = 2;

Big5Char first_character(std::string_view s) {
  return {static_cast<std::uint8_t>(s[0]), static_cast<std::uint8_t>(s[1])};
}

void look_up_phrase(std::string_view file, std::string_view sought, LookupResult& result) {
  if (sought_kind(sought) != SoughtKind::kCharacters) return;
  result.fits = true;
  if (sought.size() == kCharacter) {
    result.found = phrase::phrases_under(file, first_character(sought));
  } else if (phrase::file_holds_phrase(file, sought)) {
    result.found.emplace_back(sought);
  }
}

void look_up_hashed(std::string_view file, std::string_view sought, LookupResult& result) {
  if (sought_kind(sought) != SoughtKind::kKey) return;
  result.fits = true;
  for (hashed::Phrases& record : hashed::records_of(file, sought)) {
    for (std::string& phrase : record) result.found.push_back(std::move(phrase));
  }
}

void look_up_input(std::string_view file, std::string_view sought, LookupResult& result) {
  const input::KeyLookup lookup(file);
  switch (sought_kind(sought)) {
    case SoughtKind::kCharacters:
      if (sought.size() != kCharacter) return;
      result.fits = true;
      if (std::optional<std::string> key = lookup.key_text(lookup.key_code(first_character(sought)))) {
        result.found.push_back(std::move(*key));
      }
      return;
    case SoughtKind::kKey: {
      const std::uint8_t type = lookup.header().key_type;
      // A header that names no key type reads no key at all: then any key is looked for, in vain.
      if (input::is_key_type(type)) {
        const input::EncodedKey key = input::encode_key(sought, 0, static_cast<input::KeyType>(type));
        if (key.stop != sought.size()) return;
      }
      result.fits = true;
      for (Big5Char c : lookup.characters(sought)) {
        result.found.push_back({static_cast<char>(c.lead), static_cast<char>(c.trail)});
      }
      return;
    }
    case SoughtKind::kNeither: return;
  }
}

}  // namespace

SoughtKind sought_kind(std::string_view sought) {
  if (sought.empty()) return SoughtKind::kNeither;
  bool characters = sought.size() % kCharacter == 0;
  for (std::size_t i = 0; characters && i < sought.size(); i += kCharacter) {
    characters = is_big5_lead(static_cast<std::uint8_t>(sought[i])) &&
                 is_big5_trail(static_cast<std::uint8_t>(sought[i + 1]));
  }
  if (characters) return SoughtKind::kCharacters;
  for (char c : sought) {
    if (static_cast<std::uint8_t>(c) < 0x21 || static_cast<std::uint8_t>(c) > 0x7E) return SoughtKind::kNeither;
  }
  return SoughtKind::kKey;
}

LookupResult look_up(std::string_view file, FileLength length, std::string_view sought) {
  LookupResult result;
  result.format = identify(file, length);
  switch (result.format) {
    case FileFormat::kPhraseDictionary: look_up_phrase(file, sought, result); break;
    case FileFormat::kHashedDictionary: look_up_hashed(file, sought, result); break;
    case FileFormat::kInputDictionary: look_up_input(file, sought, result); break;
    case FileFormat::kInputStub: result.fits = true; break;
    case FileFormat::kUnknown: break;
  }
  return result;
}

}  // namespace big5dict
