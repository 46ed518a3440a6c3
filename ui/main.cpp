#include "ui/BrevaneProgram.h"

int main(int argc, char** argv) {
    return RunBrevane(argc, argv, BREVANE_MAIN_WINDOW_NAME);
}
