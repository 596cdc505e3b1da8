#include "app/mockup_window.h"

#include "app/button_table.h"
#include "app/handlers.h"
#include "app/layout.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace vellumark::app {

std::vector<platform::EventBinding> MockupBindings() {
    std::vector<platform::EventBinding> bindings;
    bindings.push_back({platform::Event::Created, "", OnCreated});
    bindings.push_back({platform::Event::Periodic, kMirrorTimer, OnMirrorTick});
    for (const AvatarButton& entry : kAvatarButtons) {
        const std::string_view box = entry.avatarBox;
        bindings.push_back({platform::Event::Clicked, entry.button,
                            [box](platform::Window& window) { OnAvatarButton(window, box); }});
    }
    return bindings;
}

std::unique_ptr<platform::Window>
CreateMockupWindow(std::vector<platform::EventBinding> extraBindings) {
    std::vector<platform::EventBinding> bindings = MockupBindings();
    std::move(extraBindings.begin(), extraBindings.end(), std::back_inserter(bindings));
    return platform::CreateWindow(MockupWindowSpec(), MockupLayout(), std::move(bindings));
}

int RunMockup(int argc, char** argv) {
    return platform::RunApplication(argc, argv, MockupWindowSpec(), MockupLayout(),
                                    MockupBindings());
}

} // namespace vellumark::app
