// Reads a phrase dictionary file in one sequential pass: the header, then one bucket per slot, with
// the checks that refuse a file that could not have been written whole. The load and the
// comparison both read their files through it.
#pragma once

#include <ostream>
#include <string>

#include "phrase_tool/dictionary_format.h"
#include "phrase_tool/run_state.h"
#include "platform/input_file.h"

namespace phrase_tool {

class DictionaryReader {
 public:
  // `file` is open at its start; `name` is the name as given, for the messages.
  DictionaryReader(platform::InputFile& file, const std::string& name, HeaderImage& header)
      : file_(file), name_(name), header_(header) {}

  // Reads the header over `header`. A short read is not a fault by itself: the bytes that arrived
  // replace the image's first bytes, and the checks of the first bucket catch the rest.
  StopStatus read_header(std::ostream& out);

  // Reads the bucket of `slot` (its length from the header) into `bucket`. Stops the run when the
  // header asks for a bucket too long to have been written ("MAX_BUFF"), or when the file ends
  // before the bucket does ("Error in file").
  StopStatus read_bucket(int slot, std::string& bucket, std::ostream& out);

  // After a slot: the file must not have ended yet, since every later slot still has to be read.
  StopStatus check_not_ended(int slot, std::ostream& out) const;

  // Bytes read so far: where the next bucket starts in the file.
  long position() const { return position_; }

 private:
  StopStatus read_error(std::ostream& out) const;

  platform::InputFile& file_;
  const std::string& name_;
  HeaderImage& header_;
  long position_ = 0;
};

}  // namespace phrase_tool
