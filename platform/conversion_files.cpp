// Opening a converter's input and output, with the system's report of a file that does not open.
#include "platform/conversion_files.h"

#include "platform/report.h"

namespace platform {

bool open_conversion_files(const std::string& input_name, InputFile& input, const std::string& output_name,
                           ReplacedFile& output, const char* converting, MessageWriter& out, std::ostream& err) {
  int error = input.open(input_name);
  const std::string* failed = &input_name;
  if (error == 0) {
    error = output.open(output_name);
    failed = &output_name;
  }
  if (error == 0) {
    out.print(converting, input_name.c_str(), output_name.c_str());
    return true;
  }
  out.flush();
  err << open_failure_report(*failed, error);
  return false;
}

}  // namespace platform
