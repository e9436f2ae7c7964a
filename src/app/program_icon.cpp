#include "app/program_icon.h"

// The images are compiled into this library; a static library's resources must be
// registered by name, from outside any namespace.
static void RegisterIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace rpanel {

QIcon ProgramIcon() {
    RegisterIconResources();
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        icon.addFile(QStringLiteral(":/icons/rpanel-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace rpanel
