// MockupWindow: the layout together with the handlers bound to its events.
#pragma once

#include "platform/runtime.h"

#include <memory>
#include <vector>

namespace vellumark::app {

// Created, the mirroring timer's tick and the nine avatar buttons.
std::vector<platform::EventBinding> MockupBindings();

// Builds the window (a QApplication must exist); its created handler has run
// when this returns.
std::unique_ptr<platform::Window> CreateMockupWindow();

// The whole program: runs the window until the user closes it.
int RunMockup(int argc, char** argv);

} // namespace vellumark::app
