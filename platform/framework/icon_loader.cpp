#include "platform/framework/icon_loader.h"

namespace framework {

QIcon LoadQIcon(const Icon& icon)
{
    QIcon image;
    if (const IconResource* resource = FindIconResource(icon.ResourceId())) {
        for (std::string_view path : resource->imagePaths)
            image.addFile(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
    }
    return image;
}

}  // namespace framework
