// Word lists: each line is cut into runs of Big5 characters, and every run of two characters or
// more goes to the phrase editor as a word to add or delete.
#include "phrase_tool/word_list.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "phrase_tool/messages.h"
#include "phrase_tool/phrase_editor.h"
#include "platform/big5.h"
#include "platform/input_file.h"
#include "platform/message_writer.h"
#include "platform/report.h"

namespace phrase_tool {

namespace {

// A run longer than this cannot be a word; the phrase editor's own limit is tighter still.
constexpr std::size_t kMaxRunBytes = 80;
// A run of one character is no phrase.
constexpr std::size_t kMinWordBytes = 4;

constexpr bool is_big5_lead(std::uint8_t byte) { return platform::is_lead_above_0xA0(byte); }

// Hands every run of Big5 characters on the line to the phrase editor. A lead byte takes the byte
// after it as its trail, whatever it is, except that a lead standing last in the line has none:
// the run ends before it and the lone byte is dropped, so no run reaches past the line.
StopStatus scan_line(std::string_view text, int number, int sign, PhraseTable& table, const RunFlags& flags,
                     const Console& console) {
  auto at = [&](std::size_t pos) { return static_cast<std::uint8_t>(text[pos]); };
  std::size_t pos = 0;
  while (true) {
    while (pos < text.size() && !is_big5_lead(at(pos))) ++pos;
    if (pos >= text.size()) return std::nullopt;
    const std::size_t start = pos;
    while (pos + 1 < text.size() && is_big5_lead(at(pos))) pos += 2;
    const std::string_view run = text.substr(start, pos - start);
    if (run.size() > kMaxRunBytes) {
      platform::MessageWriter(console.out).print(msg::kWordTooLong, number, run);
      return Outcome::kContentFault;
    }
    if (run.size() >= kMinWordBytes) {
      if (StopStatus stop = edit_phrase(table, flags, run, sign > 0 ? EditRequest::kAdd : EditRequest::kDelete, console)) return stop;
    }
    ++pos;  // the byte that ended the run ends the word too
  }
}

}  // namespace

StopStatus apply_word_list(const std::string& argument, PhraseTable& table, RunFlags& flags,
                           const Console& console) {
  int sign = 1;
  std::string name = argument;
  if (!name.empty() && (name[0] == '+' || name[0] == '*' || name[0] == '-')) {
    if (name[0] == '*') flags.list_added = true;
    if (name[0] == '-') sign = -1;
    name.erase(0, 1);
  }
  platform::InputFile file;
  if (file.open(name) != 0) return std::nullopt;
  console.out << platform::format(sign > 0 ? msg::kAdding : msg::kRemoving, name.c_str());
  platform::TextReader reader(std::move(file));
  return apply_word_lines(reader, name, sign, table, flags, console);
}

StopStatus apply_word_lines(platform::TextReader& reader, const std::string& name, int sign,
                            PhraseTable& table, RunFlags& flags, const Console& console) {
  std::string line;
  int number = 0;
  while (true) {
    platform::LineStatus status = reader.read_line(line);
    ++number;
    if (status == platform::LineStatus::kError) {
      console.out << platform::read_error_report(name, reader.error());
      return Outcome::kFileFault;
    }
    if (status == platform::LineStatus::kTooLong) {
      console.out << platform::long_line_report(reader.line_number(), name);
      return Outcome::kContentFault;
    }
    if (status == platform::LineStatus::kEnd) return std::nullopt;
    // A NUL ends the line's text, as it ended the line buffer of the word list's first readers.
    std::string_view text(line);
    text = text.substr(0, text.find('\0'));
    if (text.find(msg::kPrintToBig5) != std::string_view::npos) {
      flags.text_export = true;
      continue;
    }
    // A lead byte right before the line feed has no trail byte either: taking the line feed as
    // one would file a character that is no Big5 and break the dictionary's text export.
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    if (StopStatus stop = scan_line(text, number, sign, table, flags, console)) return stop;
  }
}

}  // namespace phrase_tool
