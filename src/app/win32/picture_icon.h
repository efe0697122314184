#pragma once
// The shared pictures (app/artwork.h) as Win32 icons.
#include <windows.h>

#include "app/artwork.h"

namespace app {

// Owns one HICON.
class Icon {
 public:
  explicit Icon(const PictureRows& rows);
  ~Icon();
  Icon(const Icon&) = delete;
  Icon& operator=(const Icon&) = delete;

  HICON Get() const { return icon_; }

 private:
  HICON icon_;
};

}  // namespace app
