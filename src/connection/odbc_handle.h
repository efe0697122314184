#pragma once
// Small move-only owners of ODBC handles, and the translation of a failed ODBC call into
// the tool's failure: the driver's diagnostic records as the description, its native
// error code as the number. Private to basADODB.
#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

#include <string_view>

namespace basADODB::odbc {

// An environment, connection or statement handle, freed when its owner goes.
class Handle {
 public:
  Handle() = default;
  // SQLAllocHandle of `type` below `parent` (nullptr for an environment).
  Handle(SQLSMALLINT type, const Handle* parent);
  ~Handle();
  Handle(Handle&& other) noexcept;
  Handle& operator=(Handle&& other) noexcept;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  SQLHANDLE get() const { return handle_; }
  SQLSMALLINT type() const { return type_; }

 private:
  SQLSMALLINT type_ = 0;
  SQLHANDLE handle_ = nullptr;
};

// An open link on a connection handle; ending it disconnects (the handle itself stays
// with its own owner, which must outlive this).
class Session {
 public:
  Session() = default;
  explicit Session(SQLHDBC connection) : connection_(connection) {}
  ~Session();
  Session(Session&& other) noexcept;
  Session& operator=(Session&& other) noexcept;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  bool open() const { return connection_ != nullptr; }

 private:
  SQLHDBC connection_ = nullptr;
};

// Throws a common::Failure unless `result` is a success; `what` names the call for the
// rare failure that leaves no diagnostic record.
void Check(SQLRETURN result, const Handle& handle, std::string_view what);

}  // namespace basADODB::odbc
