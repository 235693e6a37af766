// A page file in the temporary directory for the writer tests, and the
// record walk of a byte string as "types" text.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "page_file.h"

using PageBytes = std::vector<unsigned char>;

class ScratchPageFile {
 public:
  ScratchPageFile();
  ~ScratchPageFile();
  ScratchPageFile(const ScratchPageFile&) = delete;
  ScratchPageFile& operator=(const ScratchPageFile&) = delete;

  HANDLE handle() const { return handle_; }
  const std::string& name() const { return name_; }
  // Everything written so far.
  PageBytes Contents() const;

 private:
  std::string name_;
  HANDLE handle_;
};

// The types of the records the walker returns, one letter each, followed
// by "!11@<offset>" when it rejected the bytes.
std::string WalkTypes(const PageBytes& bytes);
