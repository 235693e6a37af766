#include "sample_pages.h"

#include <cstring>

#include "page_file.h"

namespace selvy_test {

namespace {

// A4 at 300 dpi with a 25 x 50 font.
bool WritePage(HANDLE file, int number) { return WritePageWith(file, number, 2479, 3508, 25, 50); }

bool Head(HANDLE file, int column, RECT box, const char* title) {
  return WritePageHead(file, column, &box, static_cast<int>(strlen(title)), title);
}

bool Cell(HANDLE file, int column, int top, int bottom, const char* text) {
  RECT box = {0, top, 0, bottom};
  return WritePageRow(file, 'L', column, &box, 0, static_cast<int>(strlen(text)), text);
}

}  // namespace

bool WritePageWith(HANDLE file, int number, int width, int height, int charWidth, int lineHeight) {
  PagePageRecord page{};
  page.header.length = sizeof page;
  page.header.type = kPageRecordPage;
  page.number = static_cast<uint8_t>(number);
  page.width = width;
  page.height = height;
  page.char_width = charWidth;
  page.line_height = lineHeight;
  return WritePageFileData(file, &page, sizeof page);
}

bool WriteSampleP(HANDLE file) {
  RECT box1 = {100, 200, 300, 400}, box2 = {100, 100, 900, 300};
  return WritePage(file, 1) && WritePageFont(file, "Mono", 10, 'B') &&
         WritePageBox(file, &box1, kPageSideLeft | kPageSideBottom) && WritePageText(file, 'C', "Итого") &&
         Head(file, 0, {100, 500, 500, 550}, "Имя") && Head(file, 1, {500, 500, 900, 550}, "Город") &&
         Cell(file, 0, 550, 600, "Анна") && Cell(file, 1, 550, 600, "Омск") && Cell(file, 0, 600, 650, "Борис") &&
         Cell(file, 1, 600, 650, "Тула") && WritePageGrid(file) && WritePage(file, 2) &&
         WritePageFont(file, "Mono", 10, 0) && WritePageBox(file, &box2, 0xFF) &&
         WritePageText(file, 'L', "Вторая") && WritePageEnd(file);
}

bool WriteTablePages(HANDLE file, int rows, int rowsPerPage) {
  bool written = true;
  int page = 0;
  for (int row = 0; row < rows && written; ++row) {
    int onPage = row % rowsPerPage;
    if (onPage == 0) {
      if (page) written = written && WritePageGrid(file);
      written = written && WritePage(file, ++page) && WritePageFont(file, "Mono", 10, 0) &&
                Head(file, 0, {100, 100, 500, 150}, "Номер") && Head(file, 1, {500, 100, 900, 150}, "Текст");
    }
    std::string number = std::to_string(row + 1);
    written = written && Cell(file, 0, 150 + 50 * onPage, 200 + 50 * onPage, number.c_str()) &&
              Cell(file, 1, 150 + 50 * onPage, 200 + 50 * onPage, "строка таблицы");
  }
  return written && WritePageGrid(file) && WritePageEnd(file);
}

std::string WriteScratch(const std::string& name, const Bytes& bytes) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + name;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (file != INVALID_HANDLE_VALUE) {
    if (!bytes.empty()) WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  return path;
}

Bytes ReadWhole(const std::string& path) {
  Bytes bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  CloseHandle(file);
  return bytes;
}

Bytes SampleP() { return WrittenBytes(WriteSampleP); }

Bytes WrittenBytes(bool (*write)(HANDLE)) {
  char dir[MAX_PATH], path[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  GetTempFileNameA(dir, "slv", 0, path);
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  Bytes bytes;
  if (file == INVALID_HANDLE_VALUE) return bytes;
  if (write(file)) {
    bytes.resize(GetFileSize(file, nullptr));
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
  }
  CloseHandle(file);
  return bytes;
}

HANDLE OpenBytes(const std::string& name, const Bytes& bytes) {
  std::string path = WriteScratch(name, bytes);
  return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) {
      lines.push_back(text.substr(at) + "<no CR LF>");
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

}  // namespace selvy_test

namespace selvy_test {

std::set<std::string> TemporaryFiles() {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((std::string(dir) + "????????0.tmp").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do names.insert(found.cFileName);
  while (FindNextFileA(find, &found));
  FindClose(find);
  return names;
}

std::set<std::string> NewNames(const std::set<std::string>& before, const std::set<std::string>& now) {
  std::set<std::string> added;
  for (const std::string& name : now)
    if (!before.count(name)) added.insert(name);
  return added;
}

}  // namespace selvy_test
