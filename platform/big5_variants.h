// The Big5 variants that the C library's iconv converts, under the names the programs take: the
// same Big5 code can mean other characters in each, and the same text encodes differently, so a
// text goes back to Big5 through the variant it came out of.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "big5dict/ascii.h"

namespace platform {

enum class Big5Variant {
  kBig5,       // the Windows code page 950 table with the euro
  kCp950,      // the same converter in this C library, under its code page's name
  kBig5Hkscs,  // Big5 with the Hong Kong supplement
};

struct Big5VariantName {
  std::string_view name;  // iconv's name of the variant too
  Big5Variant variant;
};

inline constexpr std::array<Big5VariantName, 3> kBig5Variants{{
    {"BIG5", Big5Variant::kBig5},
    {"CP950", Big5Variant::kCp950},
    {"BIG5-HKSCS", Big5Variant::kBig5Hkscs},
}};

constexpr Big5Variant kDefaultVariant = Big5Variant::kBig5;

// The variant's name as the messages give it, and as iconv_open takes it (NUL-terminated).
constexpr const char* variant_name(Big5Variant variant) {
  for (const Big5VariantName& v : kBig5Variants) {
    if (v.variant == variant) return v.name.data();
  }
  return kBig5Variants[0].name.data();
}

// The variant a name stands for, in any letter case as iconv takes it.
constexpr std::optional<Big5Variant> find_variant(std::string_view name) {
  for (const Big5VariantName& v : kBig5Variants) {
    if (v.name.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size(); ++i) same = same && big5dict::to_ascii_upper(name[i]) == v.name[i];
    if (same) return v.variant;
  }
  return std::nullopt;
}

static_assert(find_variant("big5-hkscs") == Big5Variant::kBig5Hkscs && !find_variant("BIG5HKSCS"));

}  // namespace platform
