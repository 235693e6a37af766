// The text shown for a script's error number.
#pragma once
#include <cstdint>
#include <string>

// Message 151 (an automation exception) shows the server's description
// held in "$ERRTXT" when that is a non-empty STRING; every other number,
// and 151 without a description, the message text of the number. At most
// 79 characters.
std::string ScriptErrorText(uint32_t number);
