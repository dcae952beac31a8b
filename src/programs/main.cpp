#include "core/base/memory_reuse.h"
#include "gui/app/application.h"

int main(int argc, char *argv[]) {
    mirute::keepFreedMemoryForReuse();
    return mirute::runApplication(argc, argv);
}
