// CObject's 3DS model: loading and drawing (placeholder until the model loader lands).
#include "scene/Object.h"

#include <stdexcept>

void CObject::Render()
{
    if (!model)
        throw std::runtime_error("Can't render empty model");
}
