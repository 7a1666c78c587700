#pragma once
// The editor of a measured instance as a person would see it: opened as a
// host opens it (the GUI object, a view whose native view is a host window of
// the windowing stand-in), its timer run on the stand-in's clock until the
// bars and read-outs show what was measured, and the window's pixels saved as
// a PNG image of the editor's size. [UI thread: the stand-in's]

#include "host/HostInstance.h"
#include "host/cli/MeterHost.h"

#include <string>

class Desktop;

// desktop: the stand-in's desktop, made before the module's first instance.
// False, with a one-line reason in *error, when the module shows no editor or
// the file cannot be written (then a file at path is as it was).
bool SaveEditorScreenshot(MeterHost& host, HostInstance& instance, Desktop& desktop, const std::string& path,
                          std::string* error);
