// The legacy .xls reader on any file, in this process: what the reader
// program does with the file (the library's reading of the first sheet and
// the answer it encodes) and what the program that started it makes of that
// answer. Starting the reader program itself would hide the library's path
// from the search: only the answer comes back.
#include <string>

#include "fuzz_support.h"
#include "fuzz_workbook.h"
#include "platform/workbook/xls_reader.h"

// The .xls library (1.0.6) keeps a block of some damaged workbooks after it
// has closed them; that leak is the library's, not the reader's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfreexl.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sodwright;
  fuzz::ByteTaker taker(data, size);
  const std::uint8_t choice = taker.byte();
  const std::string path = fuzz::writeScratchFile(taker.rest(), ".xls");
  const std::string answer = platform::readXlsForTransfer(path);
  FUZZ_CHECK(platform::readXlsForTransfer(path) == answer, "two readings of a file differ");
  FUZZ_CHECK(!answer.empty() && (answer.front() == 'S' || answer.front() == 'E'),
             "an answer that is neither a sheet nor an error");
  const auto sheet = platform::decodeXlsTransfer(answer);
  if (answer.front() == 'S')
    FUZZ_CHECK(sheet.ok(), "the reader's own answer is taken for a damaged workbook");
  if (!sheet) {
    FUZZ_CHECK(!sheet.message().empty(), "a refused workbook without a reason");
    return 0;
  }
  fuzz::checkSheet(**sheet, choice);
  return 0;
}
