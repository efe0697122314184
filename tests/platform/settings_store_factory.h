#pragma once
// The one backend-specific piece of the settings store conformance suite: each backend
// provides it in its own *_posix_test.cpp / *_win32_test.cpp file.
#include <memory>

#include "platform/settings_store.h"

// A store whose settings root does not exist yet. The posix store lives in a fresh
// temporary folder; a registry-backed one deletes the settings root first.
std::unique_ptr<platform::SettingsStore> MakeEmptyStoreForTest();
