// The launch settings: section Execute of the settings file beside the launcher.
#pragma once

#include "platform.h"

// A value as read holds at most 1023 units.
const int kValueCapacity = 1024;
// The longest command line the platform delivers, in units without its terminator.
const int kCommandLineLimit = 32767;
// Parameters holds a value as read, one separating space and any command-line tail.
const int kParametersCapacity = (kValueCapacity - 1) + 1 + kCommandLineLimit + 1;
// Files larger than this are read only this far: a settings file is a few lines.
const int kSettingsFileLimit = 1 << 20;

struct LaunchSettings {
    WCHAR FileName[kValueCapacity];
    WCHAR Parameters[kParametersCapacity];
    WCHAR Directory[kValueCapacity];
};

// Fills `settings` from the settings file at `path` (used as given, possibly relative). True
// when the file configures a launch, that is when FileName or Parameters is not empty;
// Directory is read only then.
BOOL ReadLaunchSettings(LPCWSTR path, LaunchSettings* settings);
