// vellumark-avatar [--time N] INPUT OUTPUT.png: the circular avatar of a
// picture file, made by exactly the library work the window's avatar boxes
// use, written as a PNG with transparent corners.
#include "avatar/circular_avatar.h"
#include "platform/picture_memory.h"
#include "tools/avatar/avatar_command.h"

int main(int argc, char** argv) {
    vellumark::platform::KeepPictureMemoryForReuse();
    return vellumark::tools::RunAvatarCommand(argc, argv, [](const vellumark::Bytes& picture) {
        return vellumark::avatar::MakeCircularAvatarPng(picture);
    });
}
