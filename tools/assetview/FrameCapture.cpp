// Reads the rendered frame back as a picture.
#include "tools/assetview/FrameCapture.h"

#include <GL/gl.h>

#include <cstddef>
#include <vector>

Image CaptureFrame(int width, int height)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    // The default read buffer is where drawing went: the back buffer, or the
    // framebuffer object some SDL builds draw into.
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    Image image(width, height);
    for (int y = 0; y < height; ++y) // OpenGL's rows run bottom up
        for (int i = 0; i < width * 3; ++i)
            image.rgb[static_cast<size_t>(height - 1 - y) * width * 3 + i] =
                pixels[static_cast<size_t>(y) * width * 3 + i];
    return image;
}
