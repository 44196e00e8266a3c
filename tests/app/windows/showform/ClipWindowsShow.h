// The clip editor on one of its pages ("edit-effect", "edit-trim", "edit-crop") and the settings
// dialog with a row dropped down ("settings"), for the window picture program. False for other names.
#pragma once
#include <string>

bool ShowClipWindow(const std::string& name, const std::string& clip);
