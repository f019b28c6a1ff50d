// SPDX-License-Identifier: GPL-3.0-or-later
// Legacy .xls workbooks through FreeXL.
#include "platform/workbook/xls_reader.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <freexl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/workbook/sheet_builder.h"
#include "platform/workbook/workbook_readers.h"

extern char** environ;

namespace sodwright::platform {
namespace {

// Closes the FreeXL handle on every way out.
class XlsHandle {
 public:
  ~XlsHandle() {
    if (handle != nullptr) freexl_close(handle);
  }
  const void* handle = nullptr;
};

std::string openFailure(int code) {
  switch (code) {
    case FREEXL_FILE_NOT_FOUND:
      return "The file cannot be opened.";
    case FREEXL_INSUFFICIENT_MEMORY:
      return "The workbook is too large to read.";
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
      return "The file is not an .xls workbook.";
    default:
      return "The .xls workbook is damaged and cannot be read (code " + std::to_string(code) + ").";
  }
}

// Every .xls file is a compound document starting with this signature; a
// short or foreign file is told apart from a damaged workbook by it.
bool hasCompoundSignature(const std::string& path) {
  static constexpr std::array<unsigned char, 8> kSignature = {0xD0, 0xCF, 0x11, 0xE0,
                                                              0xA1, 0xB1, 0x1A, 0xE1};
  std::ifstream in(path, std::ios::binary);
  std::array<char, 8> head{};
  if (!in.read(head.data(), head.size())) return false;
  for (std::size_t i = 0; i < head.size(); ++i) {
    if (static_cast<unsigned char>(head[i]) != kSignature[i]) return false;
  }
  return true;
}

// Reads the first sheet here; `filled`, when given, receives the place of
// every cell stored.
SheetResult readInThisProcess(const std::string& path,
                              std::vector<std::pair<int, int>>* filled = nullptr) {
  if (std::ifstream(path, std::ios::binary) && !hasCompoundSignature(path))
    return base::fail("The file is not an .xls workbook.");
  XlsHandle xls;
  const int opened = freexl_open(path.c_str(), &xls.handle);
  if (opened != FREEXL_OK) return base::fail(openFailure(opened));
  unsigned int value = 0;
  if (freexl_get_info(xls.handle, FREEXL_BIFF_PASSWORD, &value) == FREEXL_OK &&
      value == FREEXL_BIFF_OBFUSCATED)
    return base::fail("The workbook is protected by a password and cannot be read.");
  if (freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &value) != FREEXL_OK || value == 0)
    return base::fail("The workbook has no worksheet.");
  if (freexl_select_active_worksheet(xls.handle, 0) != FREEXL_OK)
    return base::fail("The first worksheet of the workbook cannot be read.");
  unsigned int rows = 0;
  unsigned short columns = 0;
  if (freexl_worksheet_dimensions(xls.handle, &rows, &columns) != FREEXL_OK)
    return base::fail("The first worksheet of the workbook cannot be read.");
  SheetBuilder builder;
  for (unsigned int r = 0; r < rows && r < static_cast<unsigned int>(kMaxSheetRows); ++r) {
    for (unsigned int c = 0; c < columns; ++c) {
      FreeXL_CellValue cell;
      const int got = freexl_get_cell_value(xls.handle, r, static_cast<unsigned short>(c), &cell);
      if (got == FREEXL_ILLEGAL_CELL_ROW_COL) continue;
      const int row = static_cast<int>(r) + 1;
      const int column = static_cast<int>(c) + 1;
      if (got != FREEXL_OK)
        return base::fail("Cell " + cellName(row, column) + " of the workbook cannot be read.");
      CellValue read;
      switch (cell.type) {
        case FREEXL_CELL_INT:
          read = numberCell(cell.value.int_value);
          break;
        case FREEXL_CELL_DOUBLE:
          read = numberCell(cell.value.double_value);
          break;
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
          read = CellValue::ofText(cell.value.text_value != nullptr ? cell.value.text_value : "");
          break;
        default:
          continue;
      }
      if (auto put = builder.put(row, column, read); !put) return base::fail(put.message());
      if (filled != nullptr) filled->emplace_back(row, column);
    }
  }
  return builder.take();
}

// The .xls library reads past its own buffers on some damaged workbooks (a
// string record longer than its record). So that such a file cannot bring
// the program down, the library runs in a small reader program of its own
// (started, not forked: the desktop program runs threads) that sends the
// filled cells back through a pipe; a reader that dies is a damaged workbook.

constexpr const char* kXlsReaderName = "sodwright-xls-reader";
constexpr const char* kXlsReaderMissing =
    "The .xls reader program (sodwright-xls-reader) cannot be started; it belongs beside this "
    "program or in its lib/sodwright folder.";

// The reader beside the running program, else in the installed helper folder
// (lib/sodwright next to bin/), else the one of the build tree (tests run
// from there).
std::string xlsReaderProgram() {
  std::error_code failed;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failed);
  if (!failed) {
    const std::filesystem::path beside = self.parent_path() / kXlsReaderName;
    if (::access(beside.c_str(), X_OK) == 0) return beside.string();
#if defined(SODWRIGHT_HELPER_DIR_FROM_BIN)
    const std::filesystem::path installed =
        self.parent_path() / SODWRIGHT_HELPER_DIR_FROM_BIN / kXlsReaderName;
    if (::access(installed.c_str(), X_OK) == 0) return installed.string();
#endif
  }
#if defined(SODWRIGHT_XLS_READER_IN_BUILD_TREE)
  if (::access(SODWRIGHT_XLS_READER_IN_BUILD_TREE, X_OK) == 0)
    return SODWRIGHT_XLS_READER_IN_BUILD_TREE;
#endif
  return {};
}

// Far more than any real workbook needs: the reader runs at millions of cells a second.
constexpr std::chrono::seconds kXlsTimeLimit{60};

template <class T>
void put(std::string& out, const T& value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T>
bool take(std::string_view& in, T& value) {
  if (in.size() < sizeof value) return false;
  std::memcpy(&value, in.data(), sizeof value);
  in.remove_prefix(sizeof value);
  return true;
}

// 'E' and the error text, or 'S' and one record per filled cell.
std::string encode(const SheetResult& sheetRead, const std::vector<std::pair<int, int>>& filled) {
  std::string out;
  if (!sheetRead) {
    out.push_back('E');
    out += sheetRead.message();
    return out;
  }
  const MemoryWorksheet* sheet = sheetRead->get();
  out.push_back('S');
  for (const auto& [row, column] : filled) {
    const CellValue cell = sheet->cell(row, column);
    if (cell.kind == CellValue::Kind::Empty) continue;
    put(out, row);
    put(out, column);
    out.push_back(cell.kind == CellValue::Kind::Number ? 'N' : 'T');
    put(out, cell.number);
    put(out, static_cast<std::uint32_t>(cell.text.size()));
    out += cell.text;
  }
  return out;
}

}  // namespace

std::string readXlsForTransfer(const std::string& path) {
  std::vector<std::pair<int, int>> filled;
  const SheetResult sheet = readInThisProcess(path, &filled);
  return encode(sheet, filled);
}

SheetResult decodeXlsTransfer(std::string_view in) {
  const char kind = in.empty() ? '\0' : in.front();
  if (kind == 'E') return base::fail(in.substr(1));
  const auto damaged = base::fail("The .xls workbook is damaged and cannot be read.");
  if (kind != 'S') return damaged;
  in.remove_prefix(1);
  auto sheet = std::make_unique<MemoryWorksheet>();
  while (!in.empty()) {
    int row = 0, column = 0;
    double number = 0;
    std::uint32_t length = 0;
    char cellKind = 0;
    if (!take(in, row) || !take(in, column) || !take(in, cellKind) || !take(in, number) ||
        !take(in, length) || in.size() < length)
      return damaged;
    const std::string text(in.substr(0, length));
    in.remove_prefix(length);
    CellValue cell = cellKind == 'N' ? CellValue::ofNumber(number) : CellValue::ofText(text);
    cell.text = text;
    sheet->set(row, column, std::move(cell));
  }
  return sheet;
}

SheetResult readXlsFirstSheet(const std::string& path) {
  const std::string helper = xlsReaderProgram();
  int fds[2];
  if (helper.empty() || ::pipe2(fds, O_CLOEXEC) != 0) return base::fail(kXlsReaderMissing);
  // The child gets the pipe as its standard output and nothing else of ours.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  std::string program = helper;
  std::string argument = path;
  char* const argv[] = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  const int spawned = ::posix_spawn(&child, helper.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  if (spawned != 0) {
    ::close(fds[0]);
    return base::fail(kXlsReaderMissing);
  }
  // A damaged file must not hang the program either: a child that has not
  // finished within the time limit is stopped and the file reported damaged.
  const auto deadline = std::chrono::steady_clock::now() + kXlsTimeLimit;
  std::string bytes;
  char buffer[65536];
  bool timedOut = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      timedOut = true;
      break;
    }
    pollfd waitFor{fds[0], POLLIN, 0};
    const int ready = ::poll(&waitFor, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) {
      timedOut = true;
      break;
    }
    const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fds[0]);
  if (timedOut) ::kill(child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (timedOut || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return base::fail("The .xls workbook is damaged and cannot be read.");
  return decodeXlsTransfer(bytes);
}

}  // namespace sodwright::platform
