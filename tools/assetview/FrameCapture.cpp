// Reads the rendered frame back as a picture.
#include "tools/assetview/FrameCapture.h"

#include <GL/gl.h>

#include <cstddef>
#include <vector>

Image CaptureFrame(int width, int height)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    Image image(width, height);
    for (int y = 0; y < height; ++y) // OpenGL's rows run bottom up
        for (int i = 0; i < width * 3; ++i)
            image.rgb[static_cast<size_t>(height - 1 - y) * width * 3 + i] =
                pixels[static_cast<size_t>(y) * width * 3 + i];
    return image;
}
