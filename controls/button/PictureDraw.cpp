#include "PictureDraw.h"

namespace corvane {

// Pictures arrive with the button's input and picture support; until then the face has none.
void DrawPicture(QImage&, const PictureDrawState&) {}

const QImage* ContainerBackgroundPicture(const QWidget*) {
    return nullptr;
}

void CopyParentBackground(QImage&, const QImage*, QPoint) {}

}  // namespace corvane
