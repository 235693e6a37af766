// Page files for the page view's tests, written by the writer routines of
// the page-file library into real files.
#pragma once
#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace selvy_test {

using Bytes = std::vector<BYTE>;

// A '#' record with the metrics given (WritePageHeader takes them from a
// printer DC), written with the writers' own record layout.
bool WritePageWith(HANDLE file, int number, int width, int height, int charWidth, int lineHeight);
// File P: page 1 with a bold font, a box (sides L and B) with "Итого", a
// table of two heads and two rows, its grid; page 2 with a plain font and a
// framed box with "Вторая"; the end. Written into the open file (left
// positioned at its end, as the form library hands its files over).
bool WriteSampleP(HANDLE file);
// P's bytes, written into a scratch file and read back.
Bytes SampleP();
// A table of `rows` rows of two columns over as many pages as needed
// (`rowsPerPage` each), as the table printer lays them out.
bool WriteTablePages(HANDLE file, int rows, int rowsPerPage);

// A scratch file of the temporary directory open for reading and writing
// (deleted when closed), written by `write`, and its bytes.
Bytes WrittenBytes(bool (*write)(HANDLE));

// A file of the temporary directory with the bytes; its name.
std::string WriteScratch(const std::string& name, const Bytes& bytes);
Bytes ReadWhole(const std::string& path);
// A handle open for reading on the bytes (a scratch file), as a page file
// comes to the view.
HANDLE OpenBytes(const std::string& name, const Bytes& bytes);

// The export text's lines, without their CR LF; a line without CR LF ends
// with "<no CR LF>".
std::vector<std::string> Lines(const std::string& text);

}  // namespace selvy_test

namespace selvy_test {

// Names of the file library's temporary files ("<8 letters>0.tmp") in the
// temporary directory.
std::set<std::string> TemporaryFiles();
// The names of `now` that are not in `before`.
std::set<std::string> NewNames(const std::set<std::string>& before, const std::set<std::string>& now);

}  // namespace selvy_test
