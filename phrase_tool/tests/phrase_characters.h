// The Big5 characters the tests of the phrase editor and the word-list scan build phrases of.
#pragma once

#include <string>

#include "test_support/scratch.h"

namespace phrase_tool::phrase_characters {

// A is the character of slot 0, B that of slot 1.
inline const std::string A = test_support::bytes({0xA4, 0x40});
inline const std::string B = test_support::bytes({0xA4, 0x41});
inline const std::string C = test_support::bytes({0xA4, 0xA1});
inline const std::string D = test_support::bytes({0xB0, 0xEA});
inline const std::string E = test_support::bytes({0xAE, 0x61});
inline const std::string F = test_support::bytes({0xC5, 0x40});
inline const std::string G = test_support::bytes({0xA6, 0x72});
inline const std::string H = test_support::bytes({0xD0, 0xFE});

}  // namespace phrase_tool::phrase_characters
