#include "app/view_settings.h"

#include <QSettings>

namespace brindo {

namespace {

constexpr QLatin1String kZoomKey{"view/zoom"};
constexpr QLatin1String kClientSizeKey{"view/clientSize"};
constexpr QLatin1String kShowPreviewsKey{"view/showPreviews"};

} // namespace

ViewSettings loadViewSettings() {
    const QSettings settings;
    ViewSettings view;
    bool isNumber = false;
    const int zoom = settings.value(kZoomKey).toInt(&isNumber);
    if (isNumber && zoom >= 1) {
        view.zoom = zoom;
    }
    view.clientSize = settings.value(kClientSizeKey).toSize();
    view.showPreviews = settings.value(kShowPreviewsKey, true).toBool();
    return view;
}

void saveViewSettings(const ViewSettings& view) {
    QSettings settings;
    if (view.zoom) {
        settings.setValue(kZoomKey, *view.zoom);
    }
    if (view.clientSize.isValid()) {
        settings.setValue(kClientSizeKey, view.clientSize);
    }
    settings.setValue(kShowPreviewsKey, view.showPreviews);
}

} // namespace brindo
