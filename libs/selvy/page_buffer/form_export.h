// The form text of a page buffer: one line per record, CR LF ended, from
// the buffer's start through its end. A listing of the records, not a form
// description that the form compiler reads back.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace selvy {

// False (text untouched) when the data does not begin with a '#' record.
bool ExportFormText(const BYTE* data, int32_t length, std::string* text);

}  // namespace selvy
