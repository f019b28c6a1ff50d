// The legacy .xls reader on any file.
#include "fuzz_support.h"
#include "fuzz_workbook.h"

// The .xls library (1.0.6) keeps a block of some damaged workbooks after it
// has closed them; that leak is the library's, not the reader's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfreexl.so\n"; }

// The reader runs the library in a child process, whose reports of the
// library's own faults need no symbols; it only slows the search.
extern "C" const char* __asan_default_options() { return "symbolize=0"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sodwright::fuzz::ByteTaker taker(data, size);
  const std::uint8_t choice = taker.byte();
  sodwright::fuzz::checkWorkbook(taker.rest(), ".xls", choice);
  return 0;
}
