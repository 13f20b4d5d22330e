// Writing the product.
#include "table_importer/product.h"

#include "platform/checked_output.h"
#include "platform/report.h"
#include "table_importer/messages.h"

namespace table_importer {

namespace {

// Standard input is read through its name in /dev, as any file is.
constexpr char kStandardInputPath[] = "/dev/stdin";

}  // namespace

StopStatus open_source(const std::string& source, const std::string& source_name, platform::InputFile& input,
                       std::ostream& err) {
  const bool from_standard_input = source == msg::kStandardStream;
  if (int error = input.open(from_standard_input ? kStandardInputPath : source); error != 0) {
    err << platform::open_failure_report(source_name, error);
    return Outcome::kCannotOpen;
  }
  return std::nullopt;
}

StopStatus Product::open(std::ostream& err) {
  if (name_.empty()) return std::nullopt;
  if (int error = file_.open(name_); error != 0) {
    err << platform::open_failure_report(name_, error);
    return Outcome::kCannotOpen;
  }
  return std::nullopt;
}

StopStatus Product::write(const std::string& text, std::ostream& out, std::ostream& err) {
  if (name_.empty()) {
    out << text;
    out.flush();
    if (int error = platform::output_error(out); error != 0) {
      err << platform::write_error_report(platform::kStandardOutputName, error);
      return Outcome::kWriteError;
    }
    return std::nullopt;
  }
  if (!file_.write(text) || !file_.commit()) {
    err << platform::write_error_report(name_, file_.error());
    return Outcome::kWriteError;
  }
  return std::nullopt;
}

}  // namespace table_importer
