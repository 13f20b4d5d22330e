// Every text TOMBRAL shows, in one place. printf formats, all on standard output except the
// report of a file that does not open; "\r" progress lines overwrite each other on a console.
#pragma once

namespace cizu_converter::msg {

constexpr char kBanner[] = "TOMBRAL - Convert Big5 CiZu table to DBG file for ORVANE 5.0  %s\n";
constexpr char kNotice[] = "Files the phrases of each key code under one of 9999 hash buckets.\n\n";
constexpr char kUsage[] = "Usage: TOMBRAL big5file dicfile\n";
constexpr char kConverting[] = "converting %s to %s ...\n";
constexpr char kProgress[] = "Words=%5ld  Line=%5ld\r";
constexpr char kCount[] = "count=%5ld\n";
constexpr char kMaxLen[] = "MAXLEN=%5ld\n";
constexpr char kTooLarge[] = "\nDictionary too large: %s\n";
constexpr char kMemoryFull[] = "\nMemory Full\n";

}  // namespace cizu_converter::msg
