#pragma once
// Hands a file or an address to another program of the desktop, without
// waiting for it: reports open in the default text editor, help pages in the
// default web browser.

#include <string>

namespace sodwright::platform {

class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  virtual void openTextFile(const std::string& path) = 0;
  virtual void openWebAddress(const std::string& address) = 0;
};

}  // namespace sodwright::platform
