#include "catalogue/item_names.h"

namespace brindo {

QString listedName(const QString& fileName) {
    constexpr qsizetype kExtensionLength = 4;
    if (fileName.size() < kExtensionLength) {
        return fileName;
    }
    return fileName.chopped(kExtensionLength);
}

QString imageFileName(const QString& name) {
    return name + kImageExtension;
}

QString variantNumber(int rowIndex) {
    return QStringLiteral("%1").arg(rowIndex + 1, 2, 10, QLatin1Char('0'));
}

} // namespace brindo
