#pragma once
// Opening the settings root, and a store's refusal as a failure that says what to repair.
#include <memory>
#include <string_view>

#include "platform/settings_store.h"

namespace bmRegistry {

// Raises the failure for a store that refused `what` ("cannot be read", "refused the
// restore") with `status`, in the store's own words (`why`, ANSI) where it has them: a
// damaged settings file is named with its line.
[[noreturn]] void RaiseStoreFailure(platform::Status status, std::string_view what,
                                    std::string_view why);

// The store held for one batch (see SettingsStore::HoldForBatch): from the reading of
// what the batch replaces to the batch itself. A store that cannot be held raises its
// failure before anything is read or written.
std::unique_ptr<platform::StoreHold> HoldForBatch(platform::SettingsStore& store);

// The settings root, or nullptr when it does not exist. A store that exists but cannot
// be read is a failure: taken for an empty one, it would hide what needs repair.
std::unique_ptr<platform::SettingsKey> OpenSettingsRoot(platform::SettingsStore& store);

// OpenSettingsRoot inside a trap of its own: a store that cannot be read is shown with
// `label` and gives nullptr. A user told only "cannot read" would not know which file to
// repair, so this failure is shown even by the routines that otherwise only log.
std::unique_ptr<platform::SettingsKey> OpenSettingsRootShown(platform::SettingsStore& store,
                                                             std::string_view label);

}  // namespace bmRegistry
