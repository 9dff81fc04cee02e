#pragma once

#include <QSize>
#include <optional>

namespace brindo {

// What the window remembers of its view from one run to the next.
struct ViewSettings {
    std::optional<int> zoom; // none before the first run ends
    QSize clientSize;        // invalid when not known
    bool showPreviews = true;
};

ViewSettings loadViewSettings();
void saveViewSettings(const ViewSettings& settings);

} // namespace brindo
