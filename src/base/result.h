// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The outcome of anything that can fail and has something to tell the user:
// imports, box checks, writers, workbook reads. Either the value, or the
// message to show (complete: the caller shows it as it is).
//
//   base::Result<GridData> r = readGridText(path, delimiter, rows, columns);
//   if (!r) { messages.inform(r.message()); return; }
//   use(*r);
//
// Result<> (void) carries only success or the message.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace sodwright::base {

// The failure side: built with base::fail("...").
struct Failure {
  std::string message;
};

inline Failure fail(std::string message) { return Failure{std::move(message)}; }
inline Failure fail(std::string_view message) { return Failure{std::string(message)}; }
inline Failure fail(const char* message) { return Failure{std::string(message)}; }

template <class T = void>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // The value; only when ok().
  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T&& operator*() && { return std::move(*this).value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  // The text to show; empty when ok().
  const std::string& message() const {
    static const std::string none;
    return ok() ? none : std::get<1>(state_).message;
  }

 private:
  std::variant<T, Failure> state_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Failure failure) : failure_(std::move(failure)) {}

  bool ok() const { return !failure_.has_value(); }
  explicit operator bool() const { return ok(); }

  const std::string& message() const {
    static const std::string none;
    return failure_ ? failure_->message : none;
  }

 private:
  std::optional<Failure> failure_;
};

}  // namespace sodwright::base
