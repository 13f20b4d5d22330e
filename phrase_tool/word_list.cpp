// Word lists: each line is cut into runs of Big5 characters, and every run of two characters or
// more goes to the phrase editor as a word to add or delete.
#include "phrase_tool/word_list.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "big5dict/big5.h"
#include "big5dict/bytes.h"
#include "phrase_tool/messages.h"
#include "phrase_tool/phrase_edit.h"
#include "platform/input_file.h"
#include "platform/line_step.h"
#include "platform/message_writer.h"

namespace phrase_tool {

using big5dict::phrase::EditRequest;
using big5dict::phrase::PhraseTable;

namespace {

// A run longer than this cannot be a word; the phrase editor's own limit is tighter still.
constexpr std::size_t kMaxRunBytes = 80;
// A run of one character is no phrase.
constexpr std::size_t kMinWordBytes = 4;

// Hands every run of Big5 characters on the line to the phrase editor. A lead byte takes the byte
// after it as its trail, whatever it is, except that a lead standing last in the line has none:
// the run ends before it and the lone byte is dropped, so no run reaches past the line.
StopStatus scan_line(std::string_view text, int number, int sign, PhraseTable& table, const RunFlags& flags,
                     const Console& console) {
  std::size_t pos = 0;
  while (true) {
    while (pos < text.size() && !big5dict::is_lead_above_0xA0(static_cast<std::uint8_t>(text[pos]))) ++pos;
    if (pos >= text.size()) return std::nullopt;
    const std::size_t start = pos;
    pos = big5dict::character_run_end(text, start, big5dict::is_lead_above_0xA0);
    const std::string_view run = text.substr(start, pos - start);
    if (run.size() > kMaxRunBytes) {
      platform::MessageWriter(console.out).print(msg::kWordTooLong, number, std::string(run).c_str());
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
    platform::LineStep step;
    {
      platform::MessageWriter report(console.out);
      step = platform::next_line(reader, name, line, report);
    }
    ++number;
    if (step == platform::LineStep::kReadError) return Outcome::kFileFault;
    if (step == platform::LineStep::kTooLong) return Outcome::kContentFault;
    if (step == platform::LineStep::kEnd) return std::nullopt;
    // A NUL ends the line's text, as it ended the line buffer of the word list's first readers.
    std::string_view text = big5dict::text_before_nul(line);
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
