#include "app/program_icon.h"

#include <QImage>
#include <QPixmap>

#include "app/program_icon_pixels.h"

namespace rpanel {

QIcon ProgramIcon() {
    QIcon icon;
    for (const IconPixels& image : ProgramIconPixels()) {
        icon.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(image.argb),
                                                 image.size, image.size, QImage::Format_ARGB32)));
    }
    return icon;
}

}  // namespace rpanel
