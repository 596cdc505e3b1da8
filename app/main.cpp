// Vellumark: opens the mock-up window and runs until the user closes it.
#include "app/mockup_window.h"
#include "platform/picture_memory.h"

int main(int argc, char** argv) {
    vellumark::platform::KeepPictureMemoryForReuse();
    return vellumark::app::RunMockup(argc, argv);
}
