// SPDX-License-Identifier: GPL-3.0-or-later
// The legacy .xls reader on any file, in this process: what the reader
// program does with the file (the library's reading of the first sheet and
// the answer it encodes) and what the program that started it makes of that
// answer. Starting the reader program itself would hide the library's path
// from the search: only the answer comes back.
#include <cerrno>
#include <string>

#include <fcntl.h>
#include <freexl.h>
#include <sanitizer/common_interface_defs.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fuzz_support.h"
#include "fuzz_workbook.h"
#include "platform/cell_address.h"
#include "platform/workbook/xls_reader.h"

// The .xls library (1.0.6) keeps a block of some damaged workbooks after it
// has closed them; that leak is the library's, not the reader's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfreexl.so\n"; }

// The library's own faults end the screening copies of this process (below),
// whose reports need no symbols; they only slow the search. A crash file
// replays with symbols under ASAN_OPTIONS=symbolize=1.
extern "C" const char* __asan_default_options() { return "symbolize=0"; }

namespace {

// Every call the reader makes of the library, and nothing of ours.
void walkWithTheLibrary(const std::string& path) {
  const void* handle = nullptr;
  if (freexl_open(path.c_str(), &handle) != FREEXL_OK) {
    if (handle != nullptr) freexl_close(handle);
    return;
  }
  unsigned int value = 0;
  unsigned int rows = 0;
  unsigned short columns = 0;
  freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &value);
  if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &value) == FREEXL_OK && value > 0 &&
      freexl_select_active_worksheet(handle, 0) == FREEXL_OK &&
      freexl_worksheet_dimensions(handle, &rows, &columns) == FREEXL_OK) {
    for (unsigned int r = 0;
         r < rows && r < static_cast<unsigned int>(sodwright::platform::kMaxSheetRows); ++r)
      for (unsigned int c = 0; c < columns; ++c) {
        FreeXL_CellValue cell;
        freexl_get_cell_value(handle, r, static_cast<unsigned short>(c), &cell);
      }
  }
  freexl_close(handle);
}

// The library reads past its own buffers on some damaged workbooks: the
// reader program dies of such a file and the program calls it damaged, so
// nothing of ours lies past it. Whether the library survives the file is
// tried first in a copy of this process, which dies quietly: no crash file.
bool librarySurvives(const std::string& path) {
  const pid_t child = ::fork();
  if (child < 0) sodwright::fuzz::propertyFailed(__FILE__, __LINE__, "cannot fork");
  if (child == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) ::dup2(null, STDERR_FILENO);
    __sanitizer_set_death_callback([] { ::_exit(1); });
    walkWithTheLibrary(path);
    ::_exit(0);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sodwright;
  fuzz::ByteTaker taker(data, size);
  const std::uint8_t choice = taker.byte();
  const std::string path = fuzz::writeScratchFile(taker.rest(), ".xls");
  if (!librarySurvives(path)) return 0;
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
