// Vellumark: opens the mock-up window and runs until the user closes it.
#include "app/mockup_window.h"

int main(int argc, char** argv) {
    return vellumark::app::RunMockup(argc, argv);
}
