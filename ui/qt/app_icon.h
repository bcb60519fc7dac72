// The application icon: a dot-matrix "Z" in the preview's colours, drawn in code.
#pragma once

#include <QIcon>

namespace zemtra {

// 16, 32 and 48 pixel versions of the icon.
QIcon ZemtraIcon();

}  // namespace zemtra
