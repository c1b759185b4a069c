#include "controls/host/qt/BackgroundPicture.h"

#include <QWidget>

namespace corvane {

const QImage* ContainerBackgroundPicture(const QWidget* container) {
    const auto* provider = dynamic_cast<const BackgroundPictureProvider*>(container);
    if (!provider) {
        return nullptr;
    }
    const QImage* picture = provider->BackgroundPicture();
    return picture && !picture->isNull() ? picture : nullptr;
}

}  // namespace corvane
