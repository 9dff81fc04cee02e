#pragma once

#include "render/picture_component.h"

#include <QList>
#include <QString>

namespace brindo {

// An image that could not be loaded: its stored path and the load's result
// (see LoadResult).
struct FailedLoad {
    QString path;
    int result = 0;

    bool operator==(const FailedLoad&) const = default;
};

// Passes every call on to another component unchanged and notes the loads that
// failed, each path once, in the order they were first tried.
class ReportingPicture : public PictureComponent {
public:
    explicit ReportingPicture(PictureComponent& inner) : inner_(inner) {}

    int LoadFile(const QString& path) override;
    int ImageWidth() const override { return inner_.ImageWidth(); }
    int ImageHeight() const override { return inner_.ImageHeight(); }
    void DrawTo(DeviceContext dc, int x, int y) override { inner_.DrawTo(dc, x, y); }
    void expectLoads(const QStringList& paths) override { inner_.expectLoads(paths); }

    const QList<FailedLoad>& failedLoads() const { return failed_; }

private:
    PictureComponent& inner_;
    QList<FailedLoad> failed_;
};

} // namespace brindo
