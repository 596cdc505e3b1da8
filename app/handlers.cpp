#include "app/handlers.h"

#include "app/button_table.h"
#include "app/layout.h"
#include "app/mirror_table.h"
#include "avatar/circular_avatar.h"

#include <cstdint>
#include <utility>
#include <variant>

namespace vellumark::app {

void OnCreated(platform::Window& window) {
    platform::WriteProperty(window, kMirrorTimer, platform::kPropertyPeriod,
                            std::int32_t{kMirrorPeriodMs});
    // The layout's own avatars become discs, one after another, in list order.
    for (const std::string_view box : kStartupAvatarBoxes) {
        avatar::CircularAvatar(window, box);
    }
}

void OnMirrorTick(platform::Window& window) {
    for (const MirrorRow& row : kMirrorTable) {
        // An edit box always yields a text; copy it as it stands.
        const platform::PropertyValue text =
            platform::ReadProperty(window, row.editBox, platform::kPropertyText);
        platform::WriteProperty(window, row.label, platform::kPropertyText, text);
    }
}

void OnAvatarButton(platform::Window& window, std::string_view avatarBox) {
    if (!platform::ShowOpenFileDialog(window, kFileDialog)) {
        return;
    }
    const platform::PropertyValue name =
        platform::ReadProperty(window, kFileDialog, platform::kPropertyFileName);
    const Text* path = std::get_if<Text>(&name);
    Bytes data = platform::ReadWholeFile(path != nullptr ? *path : Text{});
    platform::WriteProperty(window, avatarBox, platform::kPropertyPicture, std::move(data));
    avatar::CircularAvatar(window, avatarBox);
}

} // namespace vellumark::app
