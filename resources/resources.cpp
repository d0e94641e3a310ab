#include "resources/resources.h"

#include "resources/resource_tables.h"

namespace brackwell::resources {

void Register() {
    RegisterStrings();
    RegisterMenus();
    RegisterImages();
    RegisterDialogs();
    RegisterVersion();
}

}  // namespace brackwell::resources
