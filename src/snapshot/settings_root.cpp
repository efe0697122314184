#include "snapshot/settings_root.h"

#include <string>

#include "common/failure.h"
#include "common/trap.h"
#include "platform/ansi_codepage.h"

namespace bmRegistry {

void RaiseStoreFailure(platform::Status status, std::string_view what, std::string_view why) {
  std::int32_t number = common::err::kInvalidArgument;
  if (status == platform::kAccessDenied) number = common::err::kPermissionDenied;
  if (status == platform::kStoreCorrupt || status == platform::kStoreIoFailed) {
    number = common::err::kDeviceIo;
  }
  std::string description =
      "The settings store " + std::string(what) + " (status " + std::to_string(status) + ")";
  if (!why.empty()) description += ": " + platform::AnsiToUtf8(why);
  common::Raise(number, description + ".");
}

std::unique_ptr<platform::StoreHold> HoldForBatch(platform::SettingsStore& store) {
  std::unique_ptr<platform::StoreHold> hold;
  if (const platform::Status status = store.HoldForBatch(hold); status != platform::kSuccess) {
    RaiseStoreFailure(status, "is held by another program, nothing was changed",
                      store.LastFailureDescription());
  }
  return hold;
}

std::unique_ptr<platform::SettingsKey> OpenSettingsRoot(platform::SettingsStore& store) {
  std::unique_ptr<platform::SettingsKey> root;
  const platform::Status status = store.OpenCurrentUserKey(platform::kSettingsRoot, root);
  if (status == platform::kNotFound) return nullptr;
  if (status != platform::kSuccess) {
    RaiseStoreFailure(status, "cannot be read", store.LastFailureDescription());
  }
  return root;
}

std::unique_ptr<platform::SettingsKey> OpenSettingsRootShown(platform::SettingsStore& store,
                                                             std::string_view label) {
  std::unique_ptr<platform::SettingsKey> root;
  common::TrapShow(label, [&] { root = OpenSettingsRoot(store); });
  return root;
}

}  // namespace bmRegistry
