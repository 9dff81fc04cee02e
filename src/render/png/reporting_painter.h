#pragma once

#include "render/png/layer_painter.h"

#include <QList>
#include <QString>

namespace brindo {

// An image that could not be loaded: its stored path, and why not.
struct FailedLoad {
    QString path;
    LoadResult result = LoadResult::Loaded;

    bool operator==(const FailedLoad&) const = default;
};

// Passes every call on to another painter unchanged and notes the loads that
// failed, each path once, in the order they were first tried.
class ReportingPainter : public LayerPainter {
public:
    explicit ReportingPainter(LayerPainter& inner) : inner_(inner) {}

    LoadResult load(const QString& path) override;
    int width() const override { return inner_.width(); }
    int height() const override { return inner_.height(); }
    void drawOn(QImage* surface, int x, int y) override { inner_.drawOn(surface, x, y); }
    void expectLoads(const QStringList& paths) override { inner_.expectLoads(paths); }

    const QList<FailedLoad>& failedLoads() const { return failed_; }

private:
    LayerPainter& inner_;
    QList<FailedLoad> failed_;
};

} // namespace brindo
