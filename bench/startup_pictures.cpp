#include "bench/startup_pictures.h"

#include "app/button_table.h"
#include "app/layout.h"

#include <algorithm>

namespace vellumark::bench {

std::vector<StartupPicture> StartupPictures() {
    const std::span<const platform::ControlSpec> layout = app::MockupLayout();
    std::vector<StartupPicture> pictures;
    for (const std::string_view box : app::kStartupAvatarBoxes) {
        const auto control =
            std::find_if(layout.begin(), layout.end(),
                         [&](const auto& description) { return description.name == box; });
        if (control != layout.end()) {
            pictures.push_back({box, control->picture, static_cast<std::uint32_t>(control->width),
                                static_cast<std::uint32_t>(control->height)});
        }
    }
    return pictures;
}

} // namespace vellumark::bench
