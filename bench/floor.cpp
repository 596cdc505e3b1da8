// vellumark-floor [--time N] INPUT OUTPUT.png: the reference avatar maker of
// floor_avatar.h behind the same command line as vellumark-avatar, so the
// comparison script times both the same way.
#include "bench/floor_avatar.h"
#include "tools/avatar/avatar_command.h"

int main(int argc, char** argv) {
    return vellumark::tools::RunAvatarCommand(argc, argv,
                                              [](const std::vector<std::uint8_t>& file) {
                                                  return vellumark::bench::FloorAvatarPng(file);
                                              });
}
