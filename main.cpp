// Registers the program's resources and hands control to the framework,
// which starts the device registry through the hook below before the main
// window opens.
#include <QString>

#include "framework/CWinApp.h"
#include "registry/default_registry_seed.h"
#include "registry/device_registry.h"
#include "resources/resources.h"

namespace {

bool StartDeviceRegistry(CString& error) {
    using namespace brackwell::registry;
    const RegistrySeed seed = ReadDefaultRegistrySeed();
    const OpenResult opened = seed.ok ? OpenDeviceRegistry(DefaultRegistryPath(), seed.text)
                                      : OpenResult{false, seed.error};
    if (!opened.ok) error = CString::FromQString(QString::fromStdString(opened.error));
    return opened.ok;
}

}  // namespace

int main(int argc, char* argv[]) {
    brackwell::resources::Register();
    const int status = AfxWinMain(argc, argv, StartDeviceRegistry);
    brackwell::registry::CloseDeviceRegistry();
    return status;
}
