#include "connection/odbc_handle.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "common/failure.h"
#include "platform/ansi_codepage.h"

namespace basADODB::odbc {
namespace {

struct Diagnostics {
  SQLINTEGER nativeCode = 0;
  std::string text;
};

// Every diagnostic record of the handle, "[SQLSTATE] message" one per line; the number
// is the first non-zero native code among them.
Diagnostics ReadDiagnostics(SQLSMALLINT type, SQLHANDLE handle) {
  Diagnostics diagnostics;
  for (SQLSMALLINT record = 1;; ++record) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    std::vector<SQLCHAR> message(1024);
    SQLSMALLINT length = 0;
    SQLRETURN result = SQLGetDiagRec(type, handle, record, state, &native, message.data(),
                                     static_cast<SQLSMALLINT>(message.size()), &length);
    if (result == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
      message.resize(static_cast<std::size_t>(length) + 1);
      result = SQLGetDiagRec(type, handle, record, state, &native, message.data(),
                             static_cast<SQLSMALLINT>(message.size()), &length);
    }
    if (!SQL_SUCCEEDED(result)) break;
    if (!diagnostics.text.empty()) diagnostics.text += "\r\n";
    diagnostics.text += "[";
    diagnostics.text += reinterpret_cast<const char*>(state);
    diagnostics.text += "] ";
    const auto shown = std::min<std::size_t>(static_cast<std::size_t>(length), message.size() - 1);
    diagnostics.text += platform::AnsiToUtf8(
        std::string_view(reinterpret_cast<const char*>(message.data()), shown));
    if (diagnostics.nativeCode == 0) diagnostics.nativeCode = native;
  }
  return diagnostics;
}

}  // namespace

Handle::Handle(SQLSMALLINT type, const Handle* parent) : type_(type) {
  const SQLHANDLE input = parent != nullptr ? parent->get() : nullptr;
  const SQLRETURN result = SQLAllocHandle(type, input, &handle_);
  if (!SQL_SUCCEEDED(result)) {
    handle_ = nullptr;
    if (parent != nullptr) Check(result, *parent, "SQLAllocHandle");
    common::Raise(common::err::kOutOfMemory, "SQLAllocHandle failed");
  }
}

Handle::~Handle() {
  if (handle_ != nullptr) SQLFreeHandle(type_, handle_);
}

Handle::Handle(Handle&& other) noexcept
    : type_(other.type_), handle_(std::exchange(other.handle_, nullptr)) {}

Handle& Handle::operator=(Handle&& other) noexcept {
  if (this != &other) {
    if (handle_ != nullptr) SQLFreeHandle(type_, handle_);
    type_ = other.type_;
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

Session::~Session() {
  if (connection_ != nullptr) SQLDisconnect(connection_);
}

Session::Session(Session&& other) noexcept
    : connection_(std::exchange(other.connection_, nullptr)) {}

Session& Session::operator=(Session&& other) noexcept {
  if (this != &other) {
    if (connection_ != nullptr) SQLDisconnect(connection_);
    connection_ = std::exchange(other.connection_, nullptr);
  }
  return *this;
}

void Check(SQLRETURN result, const Handle& handle, std::string_view what) {
  if (SQL_SUCCEEDED(result)) return;
  Diagnostics diagnostics = ReadDiagnostics(handle.type(), handle.get());
  if (diagnostics.text.empty()) diagnostics.text = std::string(what) + " failed";
  common::Raise(static_cast<std::int32_t>(diagnostics.nativeCode), std::move(diagnostics.text));
}

}  // namespace basADODB::odbc
