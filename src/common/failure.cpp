#include "common/failure.h"

#include <cerrno>
#include <new>
#include <system_error>

namespace common {
namespace {

std::int32_t NumberForErrno(int code) {
  switch (code) {
    case ENOENT: return err::kPathNotFound;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG: return err::kDiskFull;
    case EACCES:
    case EPERM:
    case EROFS: return err::kPermissionDenied;
    case EISDIR:
    case ENOTDIR:
    case EBUSY: return err::kPathFileAccess;
    case EIO: return err::kDeviceIo;
    case ENOMEM: return err::kOutOfMemory;
    default: return err::kDeviceIo;
  }
}

}  // namespace

void Raise(std::int32_t number, std::string description) {
  throw FailureError(Failure{number, std::move(description)});
}

Failure CurrentFailure() {
  try {
    throw;
  } catch (const FailureError& e) {
    return e.failure();
  } catch (const std::bad_alloc&) {
    return Failure{err::kOutOfMemory, "Out of memory"};
  } catch (const std::system_error& e) {
    if (e.code().category() == std::generic_category() ||
        e.code().category() == std::system_category()) {
      return Failure{NumberForErrno(e.code().value()), e.what()};
    }
    return Failure{err::kDeviceIo, e.what()};
  } catch (const std::exception& e) {
    return Failure{err::kInvalidArgument, e.what()};
  } catch (...) {
    return Failure{err::kInvalidArgument, "Unknown failure"};
  }
}

}  // namespace common
