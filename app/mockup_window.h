// MockupWindow: the layout together with the handlers bound to its events.
#pragma once

#include "platform/runtime.h"

#include <memory>
#include <vector>

namespace vellumark::app {

// Created, the mirroring timer's tick and the nine avatar buttons.
std::vector<platform::EventBinding> MockupBindings();

// Builds and shows the window (a QApplication must exist). The created
// handlers run later, from the event loop, once the window has been painted;
// extraBindings run after the program's own (tools and tests wait on them).
std::unique_ptr<platform::Window>
CreateMockupWindow(std::vector<platform::EventBinding> extraBindings = {});

// The whole program: runs the window until the user closes it.
int RunMockup(int argc, char** argv);

} // namespace vellumark::app
