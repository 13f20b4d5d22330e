// Runs between escapes go to iconv whole; a run that fails goes again character by character.
#include "table_importer/big5_text.h"

#include "platform/byte_escapes.h"
#include "platform/utf8.h"

namespace table_importer {

namespace {

constexpr char kUtf8[] = "UTF-8";
constexpr std::string_view kEscapeStart = "\\x";

}  // namespace

Big5Text::Big5Text(platform::Big5Variant variant)
    : variant_(variant), encoder_(platform::variant_name(variant), kUtf8) {}

bool Big5Text::append_run(std::string_view run, std::string& out, std::vector<std::string_view>& lacking) {
  if (run.empty() || encoder_.convert(run, out)) return true;
  // Each character on its own: a letter and its combining mark stay together, so that Big5-HKSCS
  // gives their one code.
  for (std::size_t pos = 0; pos < run.size();) {
    const std::size_t end = platform::character_end(run, pos);
    const std::string_view character = run.substr(pos, end - pos);
    if (!encoder_.convert(character, out)) lacking.push_back(character);
    pos = end;
  }
  return false;
}

bool Big5Text::append(std::string_view utf8, Escapes escapes, std::string& out,
                      std::vector<std::string_view>& lacking) {
  if (escapes == Escapes::kKept) return append_run(utf8, out, lacking);
  bool whole = true;
  std::size_t run_start = 0;
  for (std::size_t pos = utf8.find(kEscapeStart); pos != std::string_view::npos; pos = utf8.find(kEscapeStart, pos)) {
    std::optional<std::uint8_t> byte = platform::escape_at(utf8, pos);
    if (!byte) {
      pos += kEscapeStart.size();
      continue;
    }
    whole = append_run(utf8.substr(run_start, pos - run_start), out, lacking) && whole;
    out.push_back(static_cast<char>(*byte));
    pos += platform::kEscapeBytes;
    run_start = pos;
  }
  return append_run(utf8.substr(run_start), out, lacking) && whole;
}

bool Big5Text::append_whole(std::string_view utf8, Escapes escapes, std::string& out,
                            std::vector<std::string_view>& lacking) {
  const std::size_t kept = out.size();
  if (append(utf8, escapes, out, lacking)) return true;
  out.resize(kept);
  return false;
}

bool Big5Text::append_plain_line(std::string_view utf8, std::string& out) {
  return utf8.find(kEscapeStart) == std::string_view::npos && encoder_.convert(utf8, out);
}

}  // namespace table_importer
