#include "core/base/heap_settings.h"
#include "gui/app/application.h"

int main(int argc, char *argv[]) {
    mirute::useCompactHeap();
    return mirute::runApplication(argc, argv);
}
