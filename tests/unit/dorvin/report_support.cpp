#include "report_support.h"

#include <algorithm>
#include <memory>

#include "grusk_support.h"
#include "gui_driver.h"
#include "host_test_support.h"

namespace report_test {

namespace {

const char kForms[] =
    "FORM 1\r\nFONT Mono,12,B\r\nBOX 10,20,100,40,LTRB\r\nTEXT C{Итого: [S]}\r\n"
    "BOX 0,250,50,280,B\r\nTEXT L{[NAME]}\r\nEND\r\n"
    "FORM 2\r\nFONT Mono,10\r\nBOX 0,0,100,30,B\r\nTEXT L{[A!NAME] - [A!CITY]}\r\nEND\r\n"
    // No boxes: no height, no rows per page.
    "FORM 3\r\nFONT Mono,10\r\nTEXT L{[A!NAME]}\r\nEND\r\n"
    "FORM 4\r\nFONT Mono,10\r\nTITLE NAME,60{Имя}\r\nTITLE CITY,40{Город}\r\nTABLE\r\n"
    "BOX 0,0,190,15,T\r\nEND\r\n"
    // An expression that fails in every record.
    "FORM 5\r\nFONT Mono,10\r\nBOX 0,0,100,30,B\r\nTEXT L{[MID(A!NAME,]}\r\nEND\r\n"
    // One form a page.
    "FORM 6\r\nFONT Mono,10\r\nBOX 0,0,100,200,B\r\nTEXT L{[A!NAME]}\r\nEND\r\n"
    // A table between a 20 mm part above and a 15 mm part below.
    "FORM 7\r\nFONT Mono,10\r\nBOX 0,0,180,20\r\nTITLE NAME,60{Имя}\r\nTITLE CITY,40{Город}\r\n"
    "TABLE\r\nBOX 0,0,180,15\r\nEND\r\n";

struct Margins {
  grusk_test::PrintKeys keep;
  Margins() { grusk_test::PrintKeys::Set("10,10,10,10", nullptr); }
};

BOOL CALLBACK CollectBoxes(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
      gui::ClassOf(window) == "#32770" && gui::WindowText(window) != "Печать")
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

}  // namespace

const LibraryCall& Dorvin() {
  static Margins margins;  // put back as the tests end
  static LibraryCall dorvin("DORVIN");
  return dorvin;
}

const LibraryCall& Hestel() {
  static LibraryCall hestel("HESTEL");
  return hestel;
}

const std::string& FormFile() {
  static std::string path = host_test::WriteScript("reports.frm", kForms);
  return path;
}

uint32_t MakeForm(HWND owner, long number) {
  return Dorvin()("DORVIN_Form", {Word(owner), Word(FormFile().c_str()), static_cast<uint32_t>(number)});
}

BoxAnswers::BoxAnswers(std::vector<int> answers) : answers_(std::move(answers)) {
  thread_ = std::thread([this] { Run(); });
}

BoxAnswers::~BoxAnswers() {
  stop_ = true;
  thread_.join();
}

std::vector<std::string> BoxAnswers::Seen() const {
  std::lock_guard<std::mutex> guard(lock_);
  return seen_;
}

void BoxAnswers::Run() {
  while (!stop_) {
    std::vector<HWND> found;
    EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&found));
    for (HWND box : found) {
      std::lock_guard<std::mutex> guard(lock_);
      if (std::find(answered_.begin(), answered_.end(), box) != answered_.end()) continue;
      // The progress dialog's caption is set once it is made; a window
      // without one is not yet (or no longer) a box.
      std::string caption = gui::WindowText(box);
      if (caption.empty() || caption == "Печать") continue;
      size_t n = seen_.size();
      int answer = answers_.empty() ? IDOK : answers_[std::min(n, answers_.size() - 1)];
      seen_.push_back(caption + ": " + gui::WaitForMessageBoxText(box));
      answered_.push_back(box);
      gui::AnswerMessageBox(box, answer);
    }
    {
      std::lock_guard<std::mutex> guard(lock_);
      answered_.erase(std::remove_if(answered_.begin(), answered_.end(),
                                     [](HWND w) { return !IsWindow(w); }),
                      answered_.end());
    }
    Sleep(20);
  }
}

}  // namespace report_test
