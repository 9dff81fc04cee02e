#pragma once

#include "model/outfit.h"

#include <QLatin1String>
#include <QString>

namespace brindo {

// The folder under which a picture made to be shared names the library's
// images. It names no folder of anybody's machine; the images are found again
// under the library where the picture is opened, by locateImage.
inline constexpr QLatin1String kSharedLibraryRoot{"\\Brindo library"};

// The outfit as the document text that a picture made to be shared carries:
// a valid outfit document in which every image is named by its place below
// the library under kSharedLibraryRoot ("\Brindo library\Hair\Long\011.png"),
// and an image outside the library, or not found, by its file name alone
// under the same root. Layers that are off are named the same way, since a
// document keeps their paths too. Empty in the unlikely case that a path
// cannot be stored.
QString shareableOutfitText(const Outfit& outfit, const QString& libraryFolder);

// The outfit with every image that it names under kSharedLibraryRoot named
// by where that image lies in the library here, so that a document saved
// from an opened picture names real files. Other paths, and images that are
// not found, stay as they are.
Outfit withLocatedImages(Outfit outfit, const QString& libraryFolder);

} // namespace brindo
