#pragma once

#include <QImage>

class QWidget;

namespace corvane {

// How a container offers its background picture to transparent children: the container
// widget inherits this interface as well as QWidget, and a control finds it through
// dynamic_cast on its parent widget.
class BackgroundPictureProvider {
public:
    virtual ~BackgroundPictureProvider() = default;
    // The picture, in the container's pixels from its top-left, or null when there is none.
    virtual const QImage* BackgroundPicture() const = 0;
};

// The background picture a container offers its transparent children, or null when it has
// none (also for a null container or one that is no provider).
const QImage* ContainerBackgroundPicture(const QWidget* container);

}  // namespace corvane
