#include "gui/app/application.h"

int main(int argc, char *argv[]) {
    return mirute::runApplication(argc, argv);
}
